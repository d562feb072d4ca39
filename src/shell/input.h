// Input rules shared by the command loop and the tools' menus.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

// Printed before most answers, the command line's included.
inline constexpr std::string_view inputPrompt = "Path: ";

// True for a text of exactly one byte that is not a blank; tabs and control
// bytes pass.
bool isOneCharAnswer(std::string text);

// Drops one pending byte, whatever it is: the line end a formatted
// extraction leaves behind.
void discardOneChar(std::istream& in);

// The answer to an unusable command line or an unknown key.
inline constexpr std::string_view invalidFunctionMessage = "Funzione non valida.Riprova";
