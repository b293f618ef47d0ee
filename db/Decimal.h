#pragma once
// Exact stock numbers: quantities, prices and amounts of the stock lines and
// the stock counters, kept as typed. A 128-bit count of 10^-14 units: the
// boxes take eight characters, so a typed value has at most seven decimals
// and the product of two of them (an amount) is exact. Money converts into
// it without loss; checkout money stays Money.
#include <QString>
#include <QVariant>
#include <compare>
#include "db/Money.h"

class Decimal {
public:
    using Units = __int128;
    static constexpr int Places = 14;
    static constexpr Units Scale = Units(100000000000000LL);   // 10^Places

    constexpr Decimal() = default;
    // Money has four decimals: it converts exactly.
    constexpr Decimal(Money m) : m_units(Units(m.units()) * (Scale / Money::Scale)) {}
    static constexpr Decimal fromUnits(Units units) { Decimal d; d.m_units = units; return d; }
    static constexpr Decimal whole(int64_t n) { return fromUnits(Units(n) * Scale); }

    // Parses "12", "12.5", "-0.0001", ".5"; digits past the fourteenth decimal
    // round half away from zero. *ok false for anything else (or a value of
    // more than 20 whole digits).
    static Decimal parse(const QString& text, bool* ok = nullptr);
    // The numeric value of an entry field: its leading number, digits with at
    // most one decimal point read from the left ("12.5.3" is 12.5, "7kg" is
    // 7); an empty or non-numeric text is 0.
    static Decimal leadingValue(const QString& text);
    // A stored double as the decimal it was written from: its shortest text
    // of 15 significant digits (0.37035 stored reads back as 0.37035).
    // Infinities, NaN and values out of range are 0.
    static Decimal fromDouble(double v);
    // A stored value: number or numeric text; Null and non-numbers are 0.
    static Decimal fromVariant(const QVariant& v);

    constexpr Units units() const { return m_units; }
    // The double nearest to the exact value: what a REAL column stores, and
    // what fromDouble reads back as this value (up to 15 significant digits).
    double toDouble() const;
    QVariant toVariant() const { return toDouble(); }

    // A plain number: at most 15 significant digits (rounded half away from
    // zero), no trailing zeros, no thousands separators ("0.37035", "7", "-3").
    QString plain() const;
    // With the given number of decimals, rounded half away from zero
    // ("#######0.00" is 2).
    QString format(int decimals) const;

    Decimal operator+(Decimal o) const { return fromUnits(m_units + o.m_units); }
    Decimal operator-(Decimal o) const { return fromUnits(m_units - o.m_units); }
    Decimal operator-() const { return fromUnits(-m_units); }
    Decimal& operator+=(Decimal o) { m_units += o.m_units; return *this; }
    Decimal& operator-=(Decimal o) { m_units -= o.m_units; return *this; }
    // The product, exact for typed values; rounded half away from zero to
    // the fourteenth decimal otherwise, held at the largest value on overflow.
    Decimal times(Decimal o) const;

    friend constexpr bool operator==(Decimal a, Decimal b) { return a.m_units == b.m_units; }
    friend constexpr std::strong_ordering operator<=>(Decimal a, Decimal b) { return a.m_units <=> b.m_units; }

private:
    Units m_units = 0;
};
