#include "carrowin/host/stream_trace_sink.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"

namespace carrowin {

namespace {

// Characters that end or break a line for some reader (C0, DEL, C1, the
// Unicode line and paragraph separators), and unpaired surrogates, which
// have no UTF-8 form of their own.
bool NeedsCodeEscape(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || IsSurrogate(c);
}

void AppendCodeEscape(char16_t c, std::u16string& out) {
  constexpr char16_t kHex[] = u"0123456789ABCDEF";
  out += u"\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
}

// Appends `text` escaped as `FormatTraceLine` describes; a word also has its
// spaces escaped.
void AppendEscaped(std::u16string_view text, bool word, std::u16string& out) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out += c;
      out += text[++i];
    } else if (c == u'\\') {
      out += u"\\\\";
    } else if (c == u'\r') {
      out += u"\\r";
    } else if (c == u'\n') {
      out += u"\\n";
    } else if (c == u'\t') {
      out += u"\\t";
    } else if (NeedsCodeEscape(c) || (word && c == u' ')) {
      AppendCodeEscape(c, out);
    } else {
      out += c;
    }
  }
}

std::string TimeStamp(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto sinceEpoch = time.time_since_epoch();
  const std::time_t seconds = duration_cast<std::chrono::seconds>(sinceEpoch).count();
  const auto millis = duration_cast<milliseconds>(sinceEpoch).count() % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                static_cast<int>(millis));
  return stamp;
}

}  // namespace

StreamTraceSink::StreamTraceSink(std::FILE* file) : file_(file), ownsFile_(false) {}

StreamTraceSink::StreamTraceSink(const std::filesystem::path& path)
    : file_(std::fopen(path.c_str(), "a")), ownsFile_(true) {
  if (file_ == nullptr) {
    RaiseError(errors::kPathFileAccessError, u"TraceSink",
               FromUtf8("Cannot open trace file '" + path.string() + "': " + std::strerror(errno)));
  }
}

StreamTraceSink::~StreamTraceSink() {
  if (ownsFile_) std::fclose(file_);
}

std::shared_ptr<StreamTraceSink> StreamTraceSink::StandardError() {
  static const std::shared_ptr<StreamTraceSink> sink(new StreamTraceSink(stderr));
  return sink;
}

void StreamTraceSink::Write(const TraceRecord& record) {
  const std::string line = FormatTraceLine(record) + "\n";
  // stdio may split a long line into several writes; the lock keeps the
  // lines of traces on other threads out of it.
  std::lock_guard lock(mutex_);
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

std::string FormatTraceLine(const TraceRecord& record) {
  std::u16string text;
  if (record.traceObjectID.empty()) {
    text += u'-';
  } else if (record.traceObjectID == u"-") {
    AppendCodeEscape(u'-', text);
  } else {
    AppendEscaped(record.traceObjectID, true, text);
  }
  text += u' ';
  AppendEscaped(record.component, true, text);
  text += u'.';
  AppendEscaped(record.objectName, true, text);
  text += u' ';
  AppendEscaped(record.procedure, false, text);
  text += u": ";
  AppendEscaped(record.message, false, text);
  return TimeStamp(record.time) + " [" + std::to_string(record.level) + "] " + ToUtf8(text);
}

}  // namespace carrowin
