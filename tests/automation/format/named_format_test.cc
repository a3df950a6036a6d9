#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr FormatCase kNamed[] = {
    {u"12345.67", u"Currency", u"$12,345.67"},
    {u"12345.67", u"Standard", u"12,345.67"},
    {u"12345.67", u"Scientific", u"1.23E+04"},
    {u"-12345.67", u"Currency", u"($12,345.67)"},
    {u"0.005", u"Currency", u"$0.01"},
    {u"12345.678", u"Fixed", u"12345.68"},
    {u"-0.5", u"Standard", u"-0.50"},
    {u"0.4567", u"Percent", u"45.67%"},
    {u"0.000123", u"Scientific", u"1.23E-04"},
    // Up to 15 significant digits, no separators; scientific below 0.0001 and from 1E+15 up.
    {u"1,234.50", u"General Number", u"1234.5"},
    {u"0", u"General Number", u"0"},
    {u"0.0001", u"General Number", u"0.0001"},
    {u"0.00001", u"General Number", u"1E-05"},
    {u"999999999999999", u"General Number", u"999999999999999"},
    {u"1e20", u"General Number", u"1E+20"},
    {u"12345678901234567890", u"General Number", u"1.23456789012346E+19"},
    // Two-word formats tell zero from any other number.
    {u"0.00", u"Yes/No", u"No"},
    {u"5", u"Yes/No", u"Yes"},
    {u"0", u"True/False", u"False"},
    {u"-1", u"True/False", u"True"},
    {u"0", u"On/Off", u"Off"},
    {u"0.1", u"On/Off", u"On"},
    {u"1958-12-07 20:50:35", u"General Date", u"12/7/1958 8:50:35 PM"},
    {u"1958-12-07", u"General Date", u"12/7/1958"},
    {u"20:50", u"General Date", u"8:50:00 PM"},
    {u"1958-12-07 20:50:35", u"Long Date", u"Sunday, December 7, 1958"},
    {u"1958-12-07 20:50:35", u"Medium Date", u"07-Dec-58"},
    {u"1958-12-07 20:50:35", u"Short Date", u"12/7/1958"},
    {u"1958-12-07 20:50:35", u"Long Time", u"8:50:35 PM"},
    {u"1958-12-07 08:05:09", u"Medium Time", u"08:05 AM"},
    {u"1958-12-07 20:50:35", u"Short Time", u"20:50"},
    // Names match in any letter case.
    {u"12345.67", u"CURRENCY", u"$12,345.67"},
    {u"1958-12-07", u"short date", u"12/7/1958"},
};

TEST(FormatExpressionNamedTest, NamedFormats) { ExpectFormats(kNamed); }

}  // namespace carrowin::format_test
