#include "store/text_file.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_system.h"
#include "store/file_error.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// A missing file in an existing folder is "file not found"; a missing folder
// is "path not found".
int16_t ErrorNumberOf(const std::error_code& error, const fs::path& file) {
  if (FileFaultOf(error) != FileFault::NotFound && FileFaultOf(error) != FileFault::PathNotFound) {
    return FileErrorNumberOf(error);
  }
  std::error_code ignored;
  const fs::path folder = file.parent_path();
  if (!folder.empty() && !fs::is_directory(folder, ignored)) return kPathNotFound;
  return kFileNotFound;
}

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

void AppendCodePoint(std::string& out, unsigned char byte) {
  out += static_cast<char>(0xC0 | (byte >> 6));
  out += static_cast<char>(0x80 | (byte & 0x3F));
}

// Converts with iconv; `onInvalid` handles the input from a byte sequence the
// target cannot hold and returns how many input bytes it consumed.
template <typename OnInvalid>
std::string Convert(const char* to, const char* from, const std::string& input,
                    OnInvalid onInvalid) {
  std::string out;
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    // No converter installed: ASCII passes, everything else is invalid.
    for (std::size_t i = 0; i < input.size();) {
      if (static_cast<unsigned char>(input[i]) < 0x80) {
        out += input[i++];
      } else {
        i += onInvalid(out, std::string_view(input).substr(i));
      }
    }
    return out;
  }
  std::string buffer(input.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      const std::size_t used = std::min(inLeft, onInvalid(out, std::string_view(in, inLeft)));
      in += used;
      inLeft -= used;
    }
  }
  iconv_close(converter);
  return out;
}

}  // namespace

std::string Utf8FromWindows1252(const std::string& bytes) {
  if (IsAscii(bytes)) return bytes;
  // Bytes that Windows-1252 leaves undefined keep their C1 control code.
  return Convert("UTF-8", "WINDOWS-1252", bytes, [](std::string& out, std::string_view rest) {
    AppendCodePoint(out, static_cast<unsigned char>(rest.front()));
    return std::size_t{1};
  });
}

std::string Windows1252FromUtf8(const std::string& text) {
  if (IsAscii(text)) return text;
  return Convert("WINDOWS-1252", "UTF-8", text, [](std::string& out, std::string_view rest) {
    const auto lead = static_cast<unsigned char>(rest.front());
    // C1 control codes stand for the bytes Windows-1252 leaves undefined.
    if (lead == 0xC2 && rest.size() > 1 && static_cast<unsigned char>(rest[1]) < 0xA0) {
      out += rest[1];
      return std::size_t{2};
    }
    out += '?';
    return Utf8SequenceLength(lead);
  });
}

ReadResult ReadTextLines(const fs::path& file) {
  ReadResult result;
  const FileBytes read = ReadFileBytes(file);
  result.error = ErrorNumberOf(read.error, file);
  if (result.error != 0) return result;

  const std::string& bytes = read.bytes;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
    if (end == std::string::npos) end = bytes.size();
    if (end > start && bytes[end - 1] == '\r') --end;
    result.lines.push_back(Utf8FromWindows1252(bytes.substr(start, end - start)));
    start = next;
  }
  return result;
}

int16_t WriteNewTextFile(const fs::path& file, const std::vector<std::string>& lines,
                         bool durable) {
  std::string bytes;
  for (const std::string& line : lines) bytes += Windows1252FromUtf8(line) + "\r\n";
  return ErrorNumberOf(WriteFileBytes(file, bytes, durable), file);
}

int16_t WriteTextLines(const fs::path& file, const std::vector<std::string>& lines) {
  const FileMarks marks = FileMarksOf(file);
  if (marks.folder || marks.readOnly) return kPathFileAccess;
  fs::path temporary = file;
  temporary += ".~new";
  int16_t error = WriteNewTextFile(temporary, lines);
  if (error == 0) error = RenameFile(temporary, file);
  if (error != 0) RemoveFileIfPresent(temporary);
  return error;
}

int16_t MakeWritable(const fs::path& file) {
  return FileErrorNumberOf(ClearReadOnly(file));
}

int16_t RenameFile(const fs::path& from, const fs::path& to) {
  return ErrorNumberOf(MoveFileOver(from, to), from);
}

int16_t DeleteFileIfPresent(const fs::path& file) {
  return FileErrorNumberOf(RemoveFileIfPresent(file));
}

}  // namespace bw
