#pragma once
// Exact money: an int64 count of ten-thousandths, the precision of the stored
// currency columns. Values read from the database are rounded to it.
#include <QString>
#include <QVariant>
#include <cstdint>

// The leading number of an entry field's text, without surrounding blanks:
// digits with at most one decimal point, read from the left ("12.5.3" gives
// "12.5", "7kg" gives "7").
QString leadingNumberText(const QString& text);

class Money {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(int64_t tenThousandths) { Money m; m.m_units = tenThousandths; return m; }
    static Money fromDouble(double v);
    // Parses "12", "12.5", "-0.0001"; *ok false for anything else.
    static Money parse(const QString& text, bool* ok = nullptr);
    // The numeric value of an entry field: its leading number, digits with at
    // most one decimal point read from the left ("12.5.3" is 12.5, "7kg" is
    // 7); an empty or non-numeric text is 0.
    static Money leadingValue(const QString& text);
    // A stored value: number or numeric text; Null and non-numbers are 0.
    static Money fromVariant(const QVariant& v);

    constexpr int64_t units() const { return m_units; }
    double toDouble() const { return double(m_units) / Scale; }
    QVariant toVariant() const { return toDouble(); }

    // "125.50" with the given number of decimals ("########0.00" is 2).
    QString format(int decimals = 2) const;
    // A plain number: no trailing zeros ("125.5", "0", "-3").
    QString plain() const;

    Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    Money operator-() const { return fromUnits(-m_units); }
    Money& operator+=(Money o) { m_units += o.m_units; return *this; }
    Money& operator-=(Money o) { m_units -= o.m_units; return *this; }
    // Price times a quantity, rounded half away from zero to the scale.
    Money times(double quantity) const;
    // Price times an exact quantity (a quantity held as Money), computed
    // exactly and rounded half away from zero to the scale.
    Money times(Money quantity) const;
    auto operator<=>(const Money&) const = default;

private:
    int64_t m_units = 0;
};
