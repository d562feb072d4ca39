// The tax-code command's dialogue. The municipality table belongs to one run:
// loaded at its start, gone once the code is printed or input has ended.
#include "taxcode/tax_code_command.h"

#include <optional>
#include <string>
#include <string_view>

#include "console/input.h"
#include "taxcode/municipality_file.h"
#include "taxcode/municipality_table.h"
#include "taxcode/name_normalisation.h"
#include "taxcode/tax_code.h"

namespace {

struct Answers {
  std::string surname;
  std::string name;
  int day = 0;
  int month = 0;
  int year = 0;
  char sex = 0;
  MunicipalityRecord municipality;
};

enum class Outcome { read, unreadable, ended };

struct NumberAnswer {
  Outcome outcome;
  int value;
};

// A whole number by formatted extraction. An answer that cannot be read
// counts as 0; its line is dropped and the stream cleared, so the question
// can be asked again instead of failing for ever.
NumberAnswer readNumber(Console& console, std::string_view prompt) {
  console.out << std::endl << prompt;
  int value = 0;
  if (console.in >> value)
    return {Outcome::read, value};
  if (!recoverFromFailedRead(console.in))
    return {Outcome::ended, 0};
  return {Outcome::unreadable, 0};
}

// Nothing at the end of input.
std::optional<int> askInRange(Console& console, std::string_view prompt, int lowest, int highest,
                              std::string_view error) {
  for (;;) {
    NumberAnswer answer = readNumber(console, prompt);
    if (answer.outcome == Outcome::ended)
      return std::nullopt;
    if (answer.value >= lowest && answer.value <= highest)
      return answer.value;
    if (answer.outcome == Outcome::read)
      dropRestOfAnswer(console.in);
    console.out << error;
  }
}

std::optional<int> askYear(Console& console) {
  for (;;) {
    NumberAnswer answer = readNumber(console, "Anno di nascita (aaaa): ");
    if (answer.outcome == Outcome::ended)
      return std::nullopt;
    if (answer.outcome == Outcome::read)
      return answer.value;
  }
}

// Only the first character of the answer counts; the one after it is dropped.
std::optional<char> askSex(Console& console) {
  for (;;) {
    console.out << std::endl << "Sesso (M/F): ";
    char sex = 0;
    if (!(console.in >> sex))
      return std::nullopt;
    if (isSexLetter(sex)) {
      discardOneChar(console.in);
      return sex;
    }
    dropRestOfAnswer(console.in);
    console.out << sexErrorMessage;
  }
}

// Asks until a name of the table is typed; the only other way out is the end
// of input.
std::optional<MunicipalityRecord> askMunicipality(Console& console,
                                                  const MunicipalityTable& municipalities) {
  for (;;) {
    console.out << std::endl << "Comune di nascita: ";
    std::string typed;
    if (!readLine(console.in, typed))
      return std::nullopt;
    if (std::optional<MunicipalityRecord> record = municipalities.find(normaliseName(typed)))
      return record;
    console.out << "ERRORE: Comune non trovato.\n";
  }
}

bool askLine(Console& console, std::string_view prompt, std::string& line) {
  console.out << prompt;
  if (!readLine(console.in, line))
    return false;
  console.out << std::endl;
  return true;
}

// Nothing when input ends before every answer is in.
std::optional<Answers> askAnswers(Console& console, const MunicipalityTable& municipalities) {
  Answers answers;
  if (!askLine(console, "Cognome: ", answers.surname) || !askLine(console, "Nome: ", answers.name))
    return std::nullopt;
  console.out << "Inserire la data di nascita nel formato: gg/mm/aaaa\n";
  std::optional<int> day;
  std::optional<int> month;
  std::optional<int> year;
  for (;;) {
    day = askInRange(console, "Giorno di nascita(gg): ", 1, 31,
                     "ERRORE: Giorno di nascita non valido.\n");
    if (!day)
      return std::nullopt;
    month = askInRange(console, "Mese di nascita (mm): ", 1, 12,
                       "\nERRORE: Mese di nascita non valido.\n");
    if (!month)
      return std::nullopt;
    year = askYear(console);
    if (!year)
      return std::nullopt;
    if (isExistingDate(*day, *month, *year))
      break;
    dropRestOfAnswer(console.in);
    console.out << "\nERRORE: Data di nascita inesistente.\n";
  }
  std::optional<char> sex = askSex(console);
  if (!sex)
    return std::nullopt;
  std::optional<MunicipalityRecord> municipality = askMunicipality(console, municipalities);
  if (!municipality)
    return std::nullopt;
  answers.day = *day;
  answers.month = *month;
  answers.year = *year;
  answers.sex = *sex;
  answers.municipality = std::move(*municipality);
  return answers;
}

std::string resultText(const Answers& answers) {
  Result<std::string> code = buildTaxCode(answers.surname, answers.name, answers.day, answers.month,
                                          answers.year, answers.sex);
  if (!code.isOk() || !appendMunicipalityCode(*code, answers.municipality))
    return "ERRORE DATI";
  *code += checkCharacter(*code);
  return *code;
}

}  // namespace

void runTaxCode(Console& console) { runTaxCodeWith(console, shippedDataDirectories()); }

void runTaxCodeWith(Console& console, std::span<const std::filesystem::path> dataDirectories) {
  Result<MunicipalityTable> municipalities =
      loadMunicipalities(console.platform.files(), dataDirectories);
  if (!municipalities.isOk()) {
    console.out << std::endl << "Errore caricare risorse" << std::endl;
    return;
  }
  if (std::optional<Answers> answers = askAnswers(console, *municipalities)) {
    console.out << std::endl << std::endl << "Codice fiscale: " << resultText(*answers) << "\n\n";
  }
}
