// Conversions from several threads at once: every thread opens converters of
// its own (an ICU converter keeps conversion state), and a thread that ends
// closes its converters while others go on converting.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "carrowin/drel/code_pages.h"
#include "drel/code_page_registry.h"

namespace carrowin {
namespace {

using Bytes = std::vector<uint8_t>;

// Characters of several scripts, a pair, and a control the IBM tables move.
const std::u16string kText = u"A\u3042\u00E9\u0416\u05D0\u0627 \U0001F600 text\x1A";
// Double-byte characters, a lone lead byte, UTF-8, the IBM-moved controls.
const Bytes kBytes = {'7', 'R', 0x82, 0xA0, 0xB0, 0xA1, 0xE9, 0x1A, 0x7F, 0xC3, 0xA9, 0x81};

// Every mapped page's conversions of both texts, one after the other.
std::vector<std::pair<Bytes, std::u16string>> ConvertEveryPage() {
  std::vector<std::pair<Bytes, std::u16string>> all(std::size(kCodePages));
  for (size_t k = 0; k < all.size(); ++k) {
    WideCharToMultiByte(kCodePages[k].codepage, kText, all[k].first);
    MultiByteToWideChar(kCodePages[k].codepage, kBytes, all[k].second);
  }
  return all;
}

// Short-lived threads each open every converter and close them on exit while
// a steady one goes on; under the address sanitizer a converter left open is
// reported as a leak.
TEST(ConverterCacheConcurrency, ThreadsConvertingOrEndingAtOnceGetTheSingleThreadResults) {
  const auto expected = ConvertEveryPage();
  std::atomic<int> differences = 0;
  std::atomic<bool> ending = true;
  std::jthread steady([&] {
    while (ending) differences += ConvertEveryPage() != expected;
  });
  for (int wave = 0; wave < 8; ++wave) {
    std::jthread a([&] { differences += ConvertEveryPage() != expected; });
    std::jthread b([&] { differences += ConvertEveryPage() != expected; });
  }
  ending = false;
  steady.join();
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace carrowin
