#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Small readers of text fields shared by the quote files, the page scanners
// and the settings files. They never look outside the text they are given.

// A decimal number with optional leading blanks, sign and fraction
// ("-12.5", "+3", ".25"); whatever follows it is ignored, an exponent too
// ("1e5" reads 1). Text that does not start with a number reads as 0, and so
// do "inf" and "nan": the result is always finite.
double ReadDecimal(std::string_view text);

// ReadDecimal's number and the length of the text it took (0 when the text
// does not start with a number).
struct LeadingNumber {
    double value = 0;
    std::size_t length = 0;
};
LeadingNumber ReadLeadingDecimal(std::string_view text);

// A number in the plainest form: digits, or digits, a point and digits,
// with no blank, sign or exponent before or around it, at most 16 digits and
// at most 2^53 without its point. As a whole number over a power of ten,
// both exact in a double, one correctly rounded division gives exactly the
// double from_chars gives, which is what ReadLeadingDecimal reads there too.
// Length 0 when the text does not start with such a number, and when its
// digits go on past those limits: the caller then reads it another way.
LeadingNumber ReadPlainDecimal(std::string_view text);

// ReadPlainDecimal's number when all of `field` is one, of at most 15
// digits: with the field's end known, one pass over its bytes, no word of
// them taken apart. Length 0 for any other field (ReadPlainDecimal may
// still read a number at its start).
LeadingNumber ReadPlainField(std::string_view field);

// The same, with an optional exponent after the digits: 'e' or 'E', an
// optional sign and at least one digit ("9.44375e1" reads 94.4375; in "12e"
// or "5E+x" the number ends before the 'e'). A number beyond the range of
// double reads as 0, so the result is still always finite.
LeadingNumber ReadLeadingFloat(std::string_view text);

// The leading whole number of a text ("5-Dec-00" gives 5), after optional
// blanks and sign; 0 when there is none. Clamped to the int range.
int LeadingInteger(std::string_view text);

// The text without blanks, tabs and carriage returns at either end. Inline:
// readers trim every field of every row.
inline std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text with its ASCII letters in lower case, or in capitals; other
// bytes, UTF-8 included, stay as they are.
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);

// True when both texts are equal, ASCII letters compared without case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The text without its first and last character (the quotes of a quoted
// field); empty when it has fewer than two characters.
std::string_view WithoutEnds(std::string_view text);
