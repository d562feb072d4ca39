// A file written under a temporary name beside its final name and moved over
// that name only once it is complete. A failure part-way never leaves a
// half-written file behind, an existing file is replaced only by a whole new
// one, and the file being replaced may be the very file being read.
//
// Nothing is ever changed by name once created: the new file is made readable
// by the owner alone, given its final owner and mode through its descriptor,
// and only then moved, so nobody who can write the folder can swap it for a
// link and have those changes land elsewhere.
#pragma once

#include <cstddef>
#include <string>

class OutputFile {
 public:
  OutputFile() = default;
  // Removes a file that was not committed.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Starts a new file that will take the name `path`. A link is followed to
  // the file it names (the link stays), but only where the kernel would
  // follow it; a link planted by another user in a shared folder, or one
  // that leads nowhere, is refused. False when no file can be put there: its
  // folder is missing or closed to us, the name is taken by a directory, FIFO
  // or device, or the existing file may not be written.
  bool open(const std::string& path);
  bool isOpen() const { return handle_ >= 0; }

  // Appends all of `data`; false after a write error (a full disk, say).
  bool write(const char* data, std::size_t size);

  // Closes the file and moves it over its name, keeping the permissions of
  // the file it replaces (a new file gets the usual ones, umask applied).
  // False, with nothing left behind, on any failure.
  bool commit();

  // Abandons the file: the name keeps whatever it held before.
  void discard();

 private:
  int handle_ = -1;
  std::string temporaryPath_;
  std::string finalPath_;
  bool replacing_ = false;
};

// Removes the file being written, if any; for a signal handler ending the
// program, so an interrupted run leaves no half-written file behind. Only
// async-signal-safe calls.
void removeUnfinishedOutputFile();
