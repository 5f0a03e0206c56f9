#pragma once
// Money as a whole number of ten-thousandths, typed and shown with a decimal comma.

#include <QString>
#include <QVariant>

#include <compare>
#include <iosfwd>
#include <optional>

class Dinheiro {
public:
    static constexpr qint64 kEscala = 10000;

    constexpr Dinheiro() = default;
    static constexpr Dinheiro bruto(qint64 decimosDeMilesimo) { return Dinheiro(decimosDeMilesimo); }
    static constexpr Dinheiro reais(qint64 r, qint64 centavos = 0) {
        return Dinheiro(r * kEscala + centavos * 100);
    }

    // Reads a typed amount: digits with an optional decimal comma, points as thousands
    // separators ("1.234,56", "12,5", "7"). Anything else is not a number.
    static std::optional<Dinheiro> ler(const QString& texto);

    // "#,##0.00": points between thousands, two decimals rounded half away from zero.
    QString formata() const;

    // Stored as a 64-bit integer; NULL reads as no value.
    QVariant paraBanco() const { return QVariant::fromValue<qint64>(valor_); }
    static std::optional<Dinheiro> doBanco(const QVariant& v);

    constexpr qint64 valorBruto() const { return valor_; }

    constexpr Dinheiro operator+(Dinheiro o) const { return Dinheiro(valor_ + o.valor_); }
    constexpr Dinheiro operator-(Dinheiro o) const { return Dinheiro(valor_ - o.valor_); }
    constexpr Dinheiro operator*(qint64 n) const { return Dinheiro(valor_ * n); }
    constexpr Dinheiro operator-() const { return Dinheiro(-valor_); }
    Dinheiro& operator+=(Dinheiro o) { valor_ += o.valor_; return *this; }
    Dinheiro& operator-=(Dinheiro o) { valor_ -= o.valor_; return *this; }
    constexpr auto operator<=>(const Dinheiro&) const = default;

private:
    constexpr explicit Dinheiro(qint64 v) : valor_(v) {}
    qint64 valor_ = 0;
};

// Prints money in test failure messages.
void PrintTo(const Dinheiro& d, std::ostream* os);
