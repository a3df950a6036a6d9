// Conversions from several threads at once: every thread opens converters of
// its own (an ICU converter keeps conversion state), and a thread that ends
// closes its converters while others go on converting.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/drel/code_pages.h"
#include "drel/ansi_code_page_guard.h"
#include "drel/code_page_registry.h"

namespace carrowin {
namespace {

using Bytes = std::vector<uint8_t>;

// Characters of several scripts, a pair, and a control the IBM tables move.
const std::u16string kText = u"A\u3042\u00E9\u0416\u05D0\u0627 \U0001F600 text\x1A";
// Double-byte characters, a lone lead byte, UTF-8, the IBM-moved controls.
const Bytes kBytes = {'7', 'R', 0x82, 0xA0, 0xB0, 0xA1, 0xE9, 0x1A, 0x7F, 0xC3, 0xA9, 0x81};

struct Conversions {
  int32_t codepage;
  Bytes outbound;
  std::u16string inbound;
};

Conversions Convert(int32_t codepage) {
  Conversions result{codepage, {}, {}};
  WideCharToMultiByte(codepage, kText, result.outbound);
  MultiByteToWideChar(codepage, kBytes, result.inbound);
  return result;
}

// Every mapped page's conversions, made on the calling thread alone.
std::vector<Conversions> ConvertEveryPage() {
  std::vector<Conversions> all;
  for (const CodePageInfo& page : kCodePages) all.push_back(Convert(page.codepage));
  return all;
}

// Converts through every page `rounds` times, starting at page `first` so
// that threads open their converters in different orders; returns how many
// conversions differed from `expected`.
int ConvertAndCompare(const std::vector<Conversions>& expected, size_t first, int rounds) {
  int differences = 0;
  for (int round = 0; round < rounds; ++round) {
    for (size_t k = 0; k < expected.size(); ++k) {
      const Conversions& want = expected[(first + k) % expected.size()];
      const Conversions got = Convert(want.codepage);
      differences += got.outbound != want.outbound;
      differences += got.inbound != want.inbound;
    }
  }
  return differences;
}

TEST(ConverterCacheConcurrency, ThreadsConvertingAtOnceGetTheSingleThreadResults) {
  const std::vector<Conversions> expected = ConvertEveryPage();
  for (const Conversions& page : expected) {
    ASSERT_FALSE(page.outbound.empty() || page.inbound.empty()) << page.codepage;
  }
  std::atomic<int> differences = 0;
  {
    std::vector<std::jthread> threads;
    for (size_t t = 0; t < 4; ++t) {
      threads.emplace_back(
          [&, t] { differences += ConvertAndCompare(expected, t * expected.size() / 4, 20); });
    }
  }
  EXPECT_EQ(differences, 0);
}

TEST(ConverterCacheConcurrency, ThreadsEndingMeanwhileLeaveTheOthersConvertersAlone) {
  const std::vector<Conversions> expected = ConvertEveryPage();
  std::atomic<int> differences = 0;
  std::atomic<bool> ending = true;
  std::jthread steady([&] {
    while (ending) differences += ConvertAndCompare(expected, 0, 1);
  });
  // Short-lived threads each open every converter and close them on exit;
  // under the address sanitizer a converter left open is reported as a leak.
  for (int wave = 0; wave < 8; ++wave) {
    std::jthread a([&] { differences += ConvertAndCompare(expected, 0, 1); });
    std::jthread b([&] { differences += ConvertAndCompare(expected, expected.size() / 2, 1); });
  }
  ending = false;
  steady.join();
  EXPECT_EQ(differences, 0);
}

TEST(ConverterCacheConcurrency, CodePageZeroFollowsTheHostAnsiPageSetMeanwhile) {
  const Conversions western = Convert(1252);
  const Conversions japanese = Convert(932);
  const testing_support::AnsiCodePageGuard restore(1252);
  std::atomic<int> neither = 0;
  std::atomic<int> converting = 2;
  {
    std::vector<std::jthread> converters;
    for (int t = 0; t < 2; ++t) {
      converters.emplace_back([&] {
        for (int k = 0; k < 300; ++k) {
          // Each conversion takes the page once: wholly one or the other.
          const Conversions got = Convert(kAnsiCodePage);
          neither += got.outbound != western.outbound && got.outbound != japanese.outbound;
          neither += got.inbound != western.inbound && got.inbound != japanese.inbound;
        }
        --converting;
      });
    }
    for (int k = 0; converting > 0; ++k) SetHostAnsiCodePage(k % 2 == 0 ? 932 : 1252);
  }
  EXPECT_EQ(neither, 0);
}

}  // namespace
}  // namespace carrowin
