// Fuzzes name normalisation and the tax code built from it: a normalised
// name is its own normal form, and every code has the shape of a tax code,
// whatever the names, date, sex and municipality record.
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "taxcode/name_normalisation.h"
#include "taxcode/tax_code.h"

namespace {

// Takes the fixed-size fields from the front of the fuzzer's bytes.
class FieldReader {
 public:
  FieldReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename Value>
  Value take() {
    Value value{};
    std::size_t count = sizeof(Value) < size_ ? sizeof(Value) : size_;
    std::memcpy(&value, data_, count);
    data_ += count;
    size_ -= count;
    return value;
  }

  std::string_view rest() const { return asText(data_, size_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

bool isUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

void checkNormalised(std::string_view typed) {
  std::string name = normaliseName(typed);
  fuzzCheck(name.find_first_of("\r\nabcdefghijklmnopqrstuvwxyz") == std::string::npos,
            "a normalised name has no line end and no small letter");
  fuzzCheck(normaliseName(name) == name, "a normalised name is its own normal form");
}

void checkBuiltCode(const std::string& code, int day, int month, char sex) {
  fuzzCheck(code.size() == 11, "a built code has eleven characters");
  fuzzCheck(isDigit(code[6]) && isDigit(code[7]), "the year is two digits");
  fuzzCheck(code[8] == monthLetters[static_cast<std::size_t>(month - 1)], "the month letter");
  int dayField = (code[9] - '0') * 10 + (code[10] - '0');
  fuzzCheck(isDigit(code[9]) && isDigit(code[10]), "the day is two digits");
  fuzzCheck(dayField == ((sex == 'f' || sex == 'F') ? day + 40 : day), "the day field");
}

void checkMunicipalityCode(std::string code, char letter, std::int32_t number) {
  MunicipalityRecord record{"", letter, number};
  std::size_t before = code.size();
  bool appended = appendMunicipalityCode(code, record);
  fuzzCheck(appended == (isUpperLetter(letter) && number >= 0), "which records give a code");
  if (!appended) {
    fuzzCheck(code.size() == before, "a refused record appends nothing");
    return;
  }
  fuzzCheck(code.size() == before + 4 && code[before] == letter, "a letter and three digits");
  for (std::size_t i = before + 1; i < code.size(); ++i)
    fuzzCheck(isDigit(code[i]), "the municipality number is digits");
  fuzzCheck(isUpperLetter(checkCharacter(code)), "the check character is a letter");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FieldReader fields(data, size);
  int day = fields.take<std::int8_t>();
  int month = fields.take<std::int8_t>();
  int year = fields.take<std::int32_t>();
  char sex = fields.take<char>();
  char letter = fields.take<char>();
  std::int32_t number = fields.take<std::int32_t>();
  std::size_t surnameLength = fields.take<std::uint8_t>();
  std::string_view names = fields.rest();
  std::string_view surname = names.substr(0, surnameLength);
  std::string_view name = names.substr(surname.size());

  checkNormalised(surname);
  checkNormalised(name);
  Result<std::string> built = buildTaxCode(surname, name, day, month, year, sex);
  bool goodDate = day >= 1 && day <= 31 && month >= 1 && month <= 12;
  bool goodSex = sex == 'm' || sex == 'M' || sex == 'f' || sex == 'F';
  fuzzCheck(built.isOk() == (goodDate && goodSex), "exactly good answers build a code");
  if (!built.isOk())
    return 0;
  std::string code = *built;
  fuzzCheck(code.size() >= 6, "the name letters are written");
  for (std::size_t i = 0; i < 6; ++i)
    fuzzCheck(isUpperLetter(code[i]), "the name letters are capital letters");
  checkBuiltCode(code, day, month, sex);
  checkMunicipalityCode(code, letter, number);
  return 0;
}
