#pragma once

// The stored effect image of a processor as a file: the data of every block
// reply, appended in block order, with no header and no padding. The file is
// created (or emptied) when the read starts and grows block by block, so a
// read that fails keeps what was received.

#include <cstdint>
#include <string>

#include "link/bytes.h"
#include "persist/file_result.h"

namespace dsp {

// ".bin" appended unless the name already ends in it (any case).
std::string WithBinExtension(const std::string& name);

class EffectFileWriter {
 public:
  EffectFileWriter() = default;
  ~EffectFileWriter();
  EffectFileWriter(const EffectFileWriter&) = delete;
  EffectFileWriter& operator=(const EffectFileWriter&) = delete;

  // Creates or truncates the file; a file still open is closed first.
  FileResult Open(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }
  // Appends one block's data. Does nothing while no file is open.
  FileResult Append(ByteView data);
  // Closes the file, reporting a write the system could complete only now.
  FileResult Close();
  std::uint64_t BytesWritten() const { return bytes_written_; }

 private:
  int fd_ = -1;
  std::string path_;
  std::uint64_t bytes_written_ = 0;
};

}  // namespace dsp
