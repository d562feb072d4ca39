// The file cipher command: its dialogue and the checks around the transform.
#include "cipher/file_cipher.h"

#include <string_view>

#include "cipher/file_transform.h"
#include "cipher/key_stream.h"
#include "console/input.h"

namespace {

constexpr std::string_view missingInputMessage = "Errore: il file di input non esiste.";

struct Prompts {
  std::string_view input;
  std::string_view output;
  std::string_view key;
};

constexpr Prompts encipherPrompts = {
    "Inserisci il nome del file di input: ", "Inserisci il nome del file di output cifrato: ",
    "Inserisci la chiave di cifratura: "};
constexpr Prompts decipherPrompts = {
    "Inserisci il nome del file di input cifrato: ",
    "Inserisci il nome del file di output decifrato: ", "Inserisci la chiave di decifratura: "};

// A directory, FIFO, device or unreadable file counts as missing: there is
// no file there the cipher could read.
bool inputExists(FileSystem& files, const std::string& inputName) {
  return files.openForReading(inputName).isOk();
}

bool checkRequest(FileSystem& files, std::ostream& out, const std::string& inputName,
                  const std::string& key) {
  if (!inputExists(files, inputName)) {
    out << missingInputMessage << std::endl;
    return false;
  }
  if (!isCipherKey(key)) {
    out << "Errore: la chiave deve contenere solo caratteri alfabetici." << std::endl;
    return false;
  }
  return true;
}

std::string_view outcomeMessage(const Status& result) {
  switch (result.code()) {
    case Status::Code::ok:
      return "File processato correttamente.";
    case Status::Code::notFound:
      return missingInputMessage;
    case Status::Code::refused:
      return "Errore: impossibile creare il file di output.";
    case Status::Code::invalid:
      return "Errore: impossibile leggere il file di input.";
    default:
      break;
  }
  return "Errore: impossibile scrivere il file di output.";
}

void printWarning(std::ostream& out) {
  out << std::endl
      << "Attenzione: inserire il nome del file (non deve contenere spazi) con la dovuta "
         "estenzione (.txt ecc..), sia in input che output."
      << std::endl
      << "Es: filename.txt (not file name.txt or file name)" << std::endl
      << std::endl;
}

void printMenu(std::ostream& out) {
  out << "Seleziona un'azione da eseguire:" << std::endl
      << "1. Cifrare un file" << std::endl
      << "2. Decifrare un file" << std::endl
      << std::endl;
}

struct Request {
  std::string inputName;
  std::string outputName;
  std::string key;
};

Request readRequest(Console& console, const Prompts& prompts) {
  Request request;
  console.out << std::endl;
  request.inputName = readValue<std::string>(console, prompts.input);
  console.out << std::endl;
  request.outputName = readValue<std::string>(console, prompts.output);
  console.out << std::endl;
  request.key = readValue<std::string>(console, prompts.key);
  console.out << std::endl;
  return request;
}

}  // namespace

void encryptFile(FileSystem& files, std::ostream& out, const std::string& inputName,
                 const std::string& outputName, const std::string& key) {
  if (key.empty() || !checkRequest(files, out, inputName, key))
    return;
  Status result = transformFile(files, inputName, outputName, key);
  out << outcomeMessage(result) << std::endl;
  if (result.code() != Status::Code::notFound)
    out << std::endl;
}

void decryptFile(FileSystem& files, std::ostream& out, const std::string& inputName,
                 const std::string& outputName, const std::string& key) {
  if (key.empty() || !checkRequest(files, out, inputName, key))
    return;
  encryptFile(files, out, inputName, outputName, key);
}

void runFileCipher(Console& console) {
  printWarning(console.out);
  printMenu(console.out);
  auto choice = readValue<std::string>(console, inputPrompt);
  if (!isOneCharAnswer(choice) || (choice != "1" && choice != "2")) {
    console.out << std::endl << std::endl << "Scelta non valida." << std::endl;
    return;
  }
  bool enciphering = choice == "1";
  Request request = readRequest(console, enciphering ? encipherPrompts : decipherPrompts);
  // Only an ended input leaves the key empty; there is nothing to do then.
  if (request.key.empty())
    return;
  FileSystem& files = console.platform.files();
  if (!inputExists(files, request.inputName)) {
    console.out << std::endl << missingInputMessage << std::endl;
    return;
  }
  if (enciphering) {
    console.out << std::endl;
    encryptFile(files, console.out, request.inputName, request.outputName, request.key);
  } else {
    decryptFile(files, console.out, request.inputName, request.outputName, request.key);
  }
}
