#pragma once

#include <functional>
#include <optional>
#include <string>

namespace almacor::dialogs {

/// Makes Calendar::LocationInput open the observer dialog. Call once after the QApplication
/// exists.
void RegisterDialogs();

/// The observer fields: 1 longitude, 2 latitude, 3 height, 4 time difference.
struct FieldRange {
  double minimum;
  double maximum;
  bool signed_;  ///< the sign keys are accepted
};
FieldRange LocationFieldRange(int field);
/// Whether `text` may leave observer field `field`: numeric and within its range.
bool LocationFieldAccepts(int field, const std::string& text);
/// A setting as its field shows it: the shortest plain decimal (135, 35.5).
std::string LocationFieldText(double value);

/// The degree, minute and second fields of a decimal angle: "-35", "30", "0.0" for −35.5 and
/// "-0", "15", "0.0" for −0.25 (the sign stays with the degrees even when they are 0).
struct DmsTexts {
  std::string degrees;
  std::string minutes;
  std::string seconds;
};
DmsTexts SplitDms(double value);
/// Whether the text may leave DMS field `field` (1 degrees, 2 minutes, 3 seconds); `limit` is 180
/// for a longitude and 90 for a latitude. A lone sign in the degrees counts as 0.
bool DmsFieldAccepts(int field, const std::string& text, double limit);
/// The decimal angle of the three fields: the degrees' sign goes to the first part that is not
/// zero, so "-0" 15' keeps its sign. Texts that are not numbers count as 0.
double JoinDms(const DmsTexts& texts);
/// The angle as the observer dialog's field receives it ("#0.0#############").
std::string DmsResultText(double value);

}  // namespace almacor::dialogs
