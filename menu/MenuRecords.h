#pragma once
// What the menu windows share about dishes and categories: the category tree
// with its keys, the cells of a dish as the lists show them, and the codes of
// new categories.
#include <QString>
#include <QVariant>

class TreeView;

namespace Menu {

// Category tree: the root "菜品分类" (key "G"), a top category under it (key
// "F" and its code), a sub-category under the top category named by the
// first character of its code (key "C" and its code).
inline const QString RootKey = QStringLiteral("G");
inline const QString RootText = QStringLiteral("菜品分类");
inline const QChar TopPrefix = u'F';
inline const QChar SubPrefix = u'C';

// The category code a tree key carries ("" for the root or no node).
QString categoryCodeOfKey(const QString& key);
inline bool isTopKey(const QString& key) { return key.startsWith(TopPrefix); }

// "[code]name", the entry of a category in lists and trees.
QString codeNameEntry(const QString& code, const QString& name);

// Rebuilds a category tree from cpclass, in code order. With codeInText the
// nodes read "[code]name", otherwise the name alone. A sub-category whose top
// category is missing stands under the root, and a code met twice is shown
// once, so that odd data never stops a window. Returns the number of
// categories read. Throws DbError.
int fillCategoryTree(TreeView* tree, bool codeInText);

// The code a new top category takes: the lowest digit 1..9 that begins no
// category code; empty when all nine are taken.
QString nextTopCategoryCode();
// The code a new sub-category of the top category parent takes: the parent's
// code and one more than the highest sequence number under it, two digits at
// least ("01".."09", "10".."99", then "100").
QString nextSubCategoryCode(const QString& parent);

// Why a change was refused, as the message that says so; empty when it was not.
struct Refusal {
    QString text;
    int icon = 0;
    QString title;
    bool any() const { return !text.isEmpty(); }
    void show() const;
};

// Said when a category chosen for a change was deleted meanwhile.
inline const QString CategoryGoneMessage = QStringLiteral("此类别已被删除,请重新选择!");
// Said when a dish to be changed was deleted meanwhile (at another till).
inline const QString DishGoneMessage = QStringLiteral("此菜品已被删除!");

// Disables a dish (disabled: status "1", the reason as typed) or enables it
// (status "0", the reason emptied), stamped today, in a transaction of its
// own. Refused, changing nothing, when the dish is gone or is already in
// that state (another till changed it after the list was read), so a stored
// reason is never overwritten. Throws DbError.
Refusal setDishDisabled(const QString& code, bool disabled, const QString& reason = {});

// Cells of a dish as the dish manager shows them.
// "########0.00"; a Null (or non-numeric) price shows nothing.
QString priceCell(const QVariant& price);
// The rate fraction as a percentage: a blank (a minus when negative), the
// number to 15 significant digits without trailing zeros, and "%" (0.9 gives
// " 90%"); a Null rate shows nothing.
QString rateCell(const QVariant& rate);
// A number as the dialogs show a stored value: up to 15 significant digits,
// no trailing zeros, no blank in front.
QString plainNumberText(double value);
// Trimmed "1" means yes (a disabled dish, a market-price dish).
bool isFlagSet(const QVariant& flag);
// Today, as the day columns (ty_date) hold it: its midnight.
QString todayStamp();
inline QString yesNo(bool yes) { return yes ? QStringLiteral("是") : QStringLiteral("否"); }

// The number a text starts with: digits with an optional decimal part, after
// leading blanks; 0 when it starts with none ("", ".", "abc").
double leadingNumber(const QString& text);
// The sale price of a base price and a rate in percent, as the dish dialogs
// show it: base x rate / 100 in double precision, rounded to two decimals
// with an exact half going to the even digit, at least one digit before the
// point ("#####0.00"). Each box counts as the number it starts with.
QString SalePriceRule(const QString& basePrice, const QString& rate);
// A double rounded to two decimals, halves to the even digit, as "0.00".
QString formatTwoDecimalsHalfEven(double value);

} // namespace Menu
