// Normalising typed names.
#include "taxcode/name_normalisation.h"

#include "console/ascii.h"

namespace {

// The plain vowel of an accented vowel given by its Latin-1 code, which is
// also its Windows-1252 byte; 0 for anything else.
char plainVowel(unsigned char code) {
  switch (code) {
    case 0xC0:
    case 0xC4:
    case 0xE0:
    case 0xE4:
      return 'A';
    case 0xC8:
    case 0xC9:
    case 0xE8:
    case 0xE9:
      return 'E';
    case 0xCC:
    case 0xEC:
      return 'I';
    case 0xD2:
    case 0xD6:
    case 0xF2:
    case 0xF6:
      return 'O';
    case 0xD9:
    case 0xDC:
    case 0xF9:
    case 0xFC:
      return 'U';
    default:
      return 0;
  }
}

bool isUtf8Lead(unsigned char byte) { return byte >= 0xC2 && byte <= 0xDF; }
bool isUtf8Continuation(unsigned char byte) { return byte >= 0x80 && byte <= 0xBF; }

void appendAccented(std::string& out, char vowel) {
  out += vowel;
  out += '\'';
}

}  // namespace

std::string normaliseName(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 4);
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\n' || byte == '\r')
      break;
    if (isAsciiLower(static_cast<char>(byte))) {
      out += static_cast<char>(byte - 'a' + 'A');
      continue;
    }
    // A UTF-8 pair is taken whole, so its second byte is never read as a
    // Windows-1252 letter; U+00C0 to U+00FF are the pairs led by 0xC3.
    if (isUtf8Lead(byte) && i + 1 < text.size() &&
        isUtf8Continuation(static_cast<unsigned char>(text[i + 1]))) {
      auto second = static_cast<unsigned char>(text[i + 1]);
      char vowel =
          byte == 0xC3 ? plainVowel(static_cast<unsigned char>(0xC0 | (second & 0x3F))) : 0;
      if (vowel)
        appendAccented(out, vowel);
      else
        out.append(text.substr(i, 2));
      ++i;
      continue;
    }
    if (char vowel = plainVowel(byte))
      appendAccented(out, vowel);
    else
      out += text[i];
  }
  return out;
}
