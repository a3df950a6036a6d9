#include "terminal/status_names.h"

#include <span>
#include <string_view>
#include <utility>

#include "carrowin/drel/code_pages.h"

namespace carrowin {

namespace {
using NameTable = std::pair<uint8_t, std::u16string_view>;

constexpr NameTable kFunctionCodes[] = {
    {'a', u"Abort"},      {'I', u"Initialized"},      {'F', u"Offline"},
    {'A', u"Offline"},    {'O', u"Online"},           {'H', u"Queue report"},
    {'R', u"Response"},   {'X', u"Terminal Status"},  {'&', u"Terminate"},
    {'^', u"Initialize"}, {'i', u"Init Interpreter"}, {'d', u"Detach"},
    {0, u"N/A"},
};

constexpr NameTable kResponseTypes[] = {
    {'%', u"Transmit On Entry"},
    {'F', u"Function Key"},
    {'?', u"Hey You"},
    {'R', u"Read"},
    {'M', u"Read Modified"},
    {'!', u"Parameter Query"},
    {'E', u"Terminal Error"},
    {'L', u"Local"},
    {'Q', u"Queue"},
    {'N', u"Ack Milestone"},
    {'=', u"Field Update"},
    {'<', u"Serial Input"},
    {0, u"N/A"},
};

template <size_t N>
std::u16string NameIn(const NameTable (&table)[N], uint8_t byte) {
  for (const auto& [value, name] : table) {
    if (value == byte) return std::u16string(name);
  }
  // The byte as the character it is in the host's ANSI code page.
  std::u16string unknown = u"Unknown: ";
  unknown += RecordText(0, std::span<const uint8_t>(&byte, 1), 0, 1);
  return unknown;
}
}  // namespace

std::u16string FunctionCodeName(uint8_t code) { return NameIn(kFunctionCodes, code); }

std::u16string ResponseTypeName(uint8_t type) { return NameIn(kResponseTypes, type); }

}  // namespace carrowin
