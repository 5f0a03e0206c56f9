#pragma once
// Money as a whole number of ten-thousandths, typed and shown with a decimal comma.

#include <QString>
#include <QVariant>

#include <compare>
#include <iosfwd>
#include <optional>
#include <stdexcept>

// An amount that would leave the range of the money type: the arithmetic refuses it instead of
// wrapping round to a wrong (even negative) amount.
class EstouroDinheiro : public std::overflow_error {
public:
    EstouroDinheiro() : std::overflow_error("amount out of range") {}
};

// What the program tells when a computation refuses an amount out of range.
inline const QString kMsgEstouroDinheiro = QStringLiteral(
    "O valor calculado ultrapassa o limite que o programa pode registrar. Verifique as tarifas "
    "e os valores cadastrados.");

class Dinheiro {
public:
    static constexpr qint64 kEscala = 10000;
    // The largest tariff, fee or float an operator may type: far enough below the type's
    // range that a month's proration, a shift's sums and a closing's totals stay inside it;
    // the fee of a stay is computed with checked arithmetic all the same.
    static constexpr qint64 kMaiorDigitadoBruto = 99'999'999'99 * 100;

    constexpr Dinheiro() = default;
    static constexpr Dinheiro bruto(qint64 decimosDeMilesimo) { return Dinheiro(decimosDeMilesimo); }
    static constexpr Dinheiro reais(qint64 r, qint64 centavos = 0) {
        return Dinheiro(r * kEscala + centavos * 100);
    }

    // Reads a typed amount: digits with an optional decimal comma and at most two decimals,
    // points as thousands separators ("1.234,56", "12,5", "7"). Anything else is not a number.
    static std::optional<Dinheiro> ler(const QString& texto);

    // "#,##0.00": points between thousands, two decimals rounded half away from zero.
    QString formata() const;

    // Stored as a 64-bit integer; NULL reads as no value.
    QVariant paraBanco() const { return QVariant::fromValue<qint64>(valor_); }
    static std::optional<Dinheiro> doBanco(const QVariant& v);

    constexpr qint64 valorBruto() const { return valor_; }

    static constexpr Dinheiro maiorDigitado() { return Dinheiro(kMaiorDigitadoBruto); }
    // True when `d` is above what an operator may type as a tariff or fee.
    static constexpr bool acimaDoDigitavel(Dinheiro d) { return d.valor_ > kMaiorDigitadoBruto; }

    // Checked: a result outside the type's range throws EstouroDinheiro.
    constexpr Dinheiro operator+(Dinheiro o) const {
        qint64 r = 0;
        if (__builtin_add_overflow(valor_, o.valor_, &r)) throw EstouroDinheiro();
        return Dinheiro(r);
    }
    constexpr Dinheiro operator-(Dinheiro o) const {
        qint64 r = 0;
        if (__builtin_sub_overflow(valor_, o.valor_, &r)) throw EstouroDinheiro();
        return Dinheiro(r);
    }
    constexpr Dinheiro operator*(qint64 n) const {
        qint64 r = 0;
        if (__builtin_mul_overflow(valor_, n, &r)) throw EstouroDinheiro();
        return Dinheiro(r);
    }
    constexpr Dinheiro operator-() const { return Dinheiro() - *this; }
    Dinheiro& operator+=(Dinheiro o) { return *this = *this + o; }
    Dinheiro& operator-=(Dinheiro o) { return *this = *this - o; }
    constexpr auto operator<=>(const Dinheiro&) const = default;

private:
    constexpr explicit Dinheiro(qint64 v) : valor_(v) {}
    qint64 valor_ = 0;
};

// The refusal of a typed tariff, fee or float above Dinheiro::maiorDigitado().
inline QString msgAcimaDoDigitavel() {
    return QStringLiteral("Valor acima do máximo permitido (%1).").arg(Dinheiro::maiorDigitado().formata());
}

// For a typed tariff or fee: the refusal when it is negative or above Dinheiro::maiorDigitado()
// (digits too many for any amount included), nothing when it may be stored or when it is no
// amount at all, which the caller's own check refuses after this one.
std::optional<QString> recusaValorDigitado(const QString& texto);

// Prints money in test failure messages.
void PrintTo(const Dinheiro& d, std::ostream* os);
