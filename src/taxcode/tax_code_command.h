// The tax-code command (key f): asks for surname, name, date of birth, sex
// and municipality of birth and prints the person's tax code.
#pragma once

#include <filesystem>
#include <span>

#include "console/console.h"

// The f command, with the municipality file that ships with the program to
// fall back on.
void runTaxCode(Console& console);

// The f command, falling back on risorsa.cf.txt in `dataDirectories` when the
// working directory has none.
void runTaxCodeWith(Console& console, std::span<const std::filesystem::path> dataDirectories);
