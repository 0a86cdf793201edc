#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace almacor {
class MathObject;
}

namespace quillon::convert {

/// The angle-conversion window's eleven fields, in seven rows:
/// row 0 degrees (field 0), 1 arcminutes (1), 2 arcseconds (2), 3 degrees-minutes-seconds (3, 4,
/// 5), 4 hours (6), 5 hours-minutes-seconds (7, 8, 9), 6 radians (10).
inline constexpr int kFieldCount = 11;
inline constexpr int kRowCount = 7;
using Fields = std::array<std::string, kFieldCount>;

/// What a field accepts: a leading sign, a decimal point, and the inclusive range its value must
/// lie in when the focus leaves it.
struct FieldRule {
  bool sign;
  bool decimal;
  double minimum;
  double maximum;
};
const FieldRule& Rule(int field);

/// The row of a field, and the first field and field count of a row.
int RowOfField(int field);
int FirstFieldOfRow(int row);
int FieldCountOfRow(int row);

/// Whether typing the printable character `ch` into `field` is accepted. `text` is the field's
/// text, the selection (which the character replaces) runs from `selectionStart` for
/// `selectionLength` characters; the caret is at `selectionStart` when nothing is selected.
/// Digits always pass; a sign only in a signed field, at the start of the text, and not in front of
/// a sign already there; a decimal point only in a decimal field whose text outside the selection
/// holds none. Every other character is refused.
bool AcceptsCharacter(int field, char ch, std::string_view text, int selectionStart,
                      int selectionLength);

/// Whether `text` is made only of what `field` accepts (digits, one leading sign where allowed,
/// one decimal point where allowed): the test for pasted text.
bool IsAcceptableText(int field, std::string_view text);

/// The number a field's text stands for: an optional sign, digits, an optional point and digits
/// (at least one digit in all). Anything else, a lone sign or point for example, counts as 0.
double FieldNumber(std::string_view text);

/// Whether the field's value (FieldNumber) lies inside its range.
bool InRange(int field, std::string_view text);

/// Whether row `row`'s "換算" button is enabled: every field of the row holds some text.
bool RowReady(int row, const Fields& fields);

/// The angle in arcseconds that row `row` holds, or nothing when a field of the row is out of
/// range. Whole-number fields read as integers and decimal fields by their value (FieldNumber);
/// a degrees-minutes-seconds row whose degrees text starts with "-" negates its first non-zero
/// part, so "-0", "30", "0" is −0.5°.
std::optional<double> RowArcseconds(int row, const Fields& fields, const almacor::MathObject& math);

/// Every field filled from an angle in arcseconds: decimal degrees, arcminutes and arcseconds and
/// hours with up to fourteen decimals, the seconds of the split forms with up to six, at least one
/// decimal always. The time rows show the angle reduced into one turn (15° an hour). Raises
/// almacor::Error 5 for a non-finite angle.
Fields FieldsFromArcseconds(double arcseconds);

}  // namespace quillon::convert
