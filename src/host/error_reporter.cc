#include "carrowin/host/error_reporter.h"

namespace carrowin {

void ReportCurrentException(ErrorReporter& reporter, std::u16string_view procedure, bool flag,
                            int32_t number) {
  reporter.CaptureError(ErrorFromCurrentException(procedure));
  reporter.Report(flag, 1, number, procedure);
}

}  // namespace carrowin
