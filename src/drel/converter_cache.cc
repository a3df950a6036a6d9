#include "drel/converter_cache.h"

#include <array>

namespace carrowin {

namespace {

constexpr UChar kReplacementCharacter = 0xFFFD;

// ICU's own substitute for undefined bytes depends on the table (U+001A for
// some, U+FFFD for others); one replacement for all keeps inbound text
// predictable and never confuses a lost byte with a real control character.
void SubstituteReplacementCharacter(const void* /*context*/, UConverterToUnicodeArgs* args,
                                    const char* /*codeUnits*/, int32_t /*length*/,
                                    UConverterCallbackReason reason, UErrorCode* status) {
  if (reason > UCNV_IRREGULAR) return;
  *status = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &kReplacementCharacter, 1, 0, status);
}

// ICU's own substitution silently drops unmapped default-ignorable
// characters (soft hyphen, joiners); the platform gives them the default
// character like any other character the code page lacks.
void SubstituteDefaultCharacter(const void* /*context*/, UConverterFromUnicodeArgs* args,
                                const UChar* /*codeUnits*/, int32_t /*length*/,
                                UChar32 /*codePoint*/, UConverterCallbackReason reason,
                                UErrorCode* status) {
  if (reason > UCNV_IRREGULAR) return;
  *status = U_ZERO_ERROR;
  ucnv_cbFromUWriteSub(args, 0, status);
}

UConverter* OpenConverter(const CodePageInfo& info) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(info.converterName, &status);
  if (U_FAILURE(status)) return nullptr;
  ucnv_setFallback(converter, info.fallbacks);
  if (info.substituteQuestionMark) ucnv_setSubstChars(converter, "?", 1, &status);
  ucnv_setFromUCallBack(converter, SubstituteDefaultCharacter, nullptr, nullptr, nullptr, &status);
  ucnv_setToUCallBack(converter, SubstituteReplacementCharacter, nullptr, nullptr, nullptr,
                      &status);
  if (U_FAILURE(status)) {
    ucnv_close(converter);
    return nullptr;
  }
  return converter;
}

class ThreadConverters {
 public:
  ThreadConverters() = default;
  ThreadConverters(const ThreadConverters&) = delete;
  ThreadConverters& operator=(const ThreadConverters&) = delete;
  ~ThreadConverters() {
    for (UConverter* converter : converters_) {
      if (converter != nullptr) ucnv_close(converter);
    }
  }

  UConverter* Get(const CodePageInfo& info) {
    UConverter*& slot = converters_[CodePageIndex(info)];
    if (slot == nullptr) slot = OpenConverter(info);
    return slot;
  }

 private:
  std::array<UConverter*, kCodePageCount> converters_{};
};

}  // namespace

UConverter* ThreadConverter(const CodePageInfo& info) {
  thread_local ThreadConverters converters;
  return converters.Get(info);
}

}  // namespace carrowin
