#include "carrowin/host/stream_process_trace.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"

namespace carrowin {

StreamProcessTrace::StreamProcessTrace(int32_t maxLevel)
    : BasicProcessTrace(maxLevel), file_(stderr), ownsFile_(false) {}

StreamProcessTrace::StreamProcessTrace(const std::filesystem::path& path, int32_t maxLevel)
    : BasicProcessTrace(maxLevel), file_(std::fopen(path.c_str(), "a")), ownsFile_(true) {
  if (file_ == nullptr) {
    RaiseError(errors::kPathFileAccessError, u"StreamProcessTrace",
               FromUtf8("Cannot open trace file '" + path.string() + "': " + std::strerror(errno)));
  }
}

StreamProcessTrace::~StreamProcessTrace() {
  if (ownsFile_) std::fclose(file_);
}

void StreamProcessTrace::Write(const TraceRecord& record) {
  const std::string line = FormatTraceLine(record) + "\n";
  // One fwrite per line: stdio locks the stream for the call, so lines of
  // terminals running on different threads never interleave.
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

std::string FormatTraceLine(const TraceRecord& record) {
  using namespace std::chrono;
  const auto sinceEpoch = record.time.time_since_epoch();
  const std::time_t seconds = duration_cast<std::chrono::seconds>(sinceEpoch).count();
  const auto millis = duration_cast<milliseconds>(sinceEpoch).count() % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                static_cast<int>(millis));
  std::string line = std::string(stamp) + " [" + std::to_string(record.level) + "] ";
  if (!record.traceObjectID.empty()) line += ToUtf8(record.traceObjectID) + " ";
  line += ToUtf8(record.component) + "." + ToUtf8(record.objectName) + " " +
          ToUtf8(record.procedure) + ": " + ToUtf8(record.message);
  return line;
}

}  // namespace carrowin
