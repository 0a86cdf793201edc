#pragma once

#include <string>
#include <string_view>

#include "almacor/date.h"

namespace almacor {

/// Renders a number with a number pattern, for example "##0.0ﾟ", "###,###km" or "00\h".
///
/// Pattern characters (patterns and results are UTF-8; multi-byte characters are copied whole):
/// - `0`  a digit that is always printed (leading and trailing zeros included);
/// - `#`  a digit that is printed only where significant: integer places left of the first
///        significant digit or `0` print nothing (0.5 in "#.00" gives ".50"), trailing zero
///        decimals print nothing ("#0.0#####" shows 1.5 as "1.5");
/// - `.`  the decimal point (the first one; it is printed even when no decimal follows it);
/// - `,`  between integer digit places: group the integer digits by thousands with ","; a `,`
///        directly left of the decimal point (or after the last integer place) divides by 1000;
/// - `%`  multiplies the value by 100 and prints "%" where it stands;
/// - `\x` prints x literally; text in double quotes prints literally; every other character
///        prints literally (there are no ";" sections and no exponent form).
///
/// Integer digits that do not fit the integer places are all printed at the first place, so a
/// pattern never truncates a number ("00" shows 123 as "123").
///
/// Rounding: the value is first taken to 15 significant decimal digits (the precision of a double
/// as text, so 1.005 counts as 1.005 and not as the binary 1.00499…), then rounded to the
/// pattern's number of decimal places with halves away from zero: 9.99995 in "#0.0000" is
/// "10.0000", 0.125 in "0.00" is "0.13", −2.5 in "0" is "-3".
///
/// Sign: a negative value gets a "-" in front of the whole text (before any leading literal).
/// A value that rounds to zero at the pattern's precision is shown without sign (−0.00001 in
/// "0.00" is "0.00").
///
/// An empty pattern gives the general form of FormatGeneral.
///
/// Raises Error 5 if value is not a finite number.
std::string FormatNumber(double value, std::string_view pattern);

/// The general text of a double: up to 15 significant digits, no padding, no trailing zeros, no
/// trailing point ("66.07", "0.5", "-3"); magnitudes of 1E+15 and above or below 1E-04 take the
/// exponent form "1.5E+20", "2E-05". Raises Error 5 if value is not a finite number.
std::string FormatGeneral(double value);

/// Renders a date and time with a date pattern, for example "hh:nn:ss" or "/m/d hh:nn:ss".
///
/// The date's civil time is taken to the nearest second first (23:59:59.6 becomes the next day's
/// 00:00:00). Tokens:
/// - `yyyy` four-digit year, `yy` two-digit year;
/// - `m` month 1–12, `mm` the month with two digits (`m` is always the month: minutes are `n`);
/// - `d` day of month 1–31, `dd` two digits;
/// - `h` hour 0–23, `hh` two digits; `n`, `nn` minute; `s`, `ss` second.
/// `\x` prints x literally, text in double quotes prints literally, every other character
/// (":", "/", " ", "'", multi-byte characters) prints as it stands. Other runs of the token letters
/// (`y`, `yyy`, `mmm`, `ddd`, `hhh`, …) raise Error 5.
std::string FormatDateTime(const Date& date, std::string_view pattern);

}  // namespace almacor
