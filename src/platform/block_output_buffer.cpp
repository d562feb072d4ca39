// An output stream buffer that writes a block at a time until a write fails.
#include "platform/block_output_buffer.h"

BlockOutputBuffer::BlockOutputBuffer() { setp(block_, block_ + blockSize); }

bool BlockOutputBuffer::flushBlock() {
  const char* data = pbase();
  std::size_t size = static_cast<std::size_t>(pptr() - pbase());
  setp(block_, block_ + blockSize);
  if (failed_)
    return false;
  if (size > 0 && !writeBlock(data, size))
    failed_ = true;
  return !failed_;
}

BlockOutputBuffer::int_type BlockOutputBuffer::overflow(int_type byte) {
  if (!flushBlock())
    return traits_type::eof();
  if (traits_type::eq_int_type(byte, traits_type::eof()))
    return traits_type::not_eof(byte);
  *pptr() = traits_type::to_char_type(byte);
  pbump(1);
  return byte;
}

int BlockOutputBuffer::sync() { return flushBlock() ? 0 : -1; }
