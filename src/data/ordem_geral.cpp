#include "data/ordem_geral.h"

#include <QString>

#include <algorithm>
#include <type_traits>
#include <optional>

namespace {

// The primary key of the order: letters without their accents, case folded.
QString chavePrimaria(QStringView s) {
    QString n = s.toString().normalized(QString::NormalizationForm_D);
    n.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return n.toCaseFolded();
}

constexpr unsigned minuscula(unsigned c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// The answer when both texts are plain ASCII up to where it is decided, or nothing when a
// character beyond ASCII could change it. An ASCII character is never decomposed, marked or
// folded into more than one, so up to the first other character the folded keys are the
// texts in small letters, position by position.
template <typename C>
std::optional<int> comparaAscii(const C* a, qsizetype na, const C* b, qsizetype nb) {
    const qsizetype n = std::min(na, nb);
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned ca = static_cast<std::make_unsigned_t<C>>(a[i]);
        const unsigned cb = static_cast<std::make_unsigned_t<C>>(b[i]);
        if (ca == cb) {
            if (ca >= 0x80) return std::nullopt;
            continue;
        }
        if ((ca | cb) >= 0x80) return std::nullopt;
        const unsigned la = minuscula(ca), lb = minuscula(cb);
        if (la != lb) return la < lb ? -1 : 1;
    }
    // Equal but for case up to the shorter length: the longer one sorts after, unless what it
    // has more could fold away (a lone accent mark).
    const C* resto = na > nb ? a : b;
    for (qsizetype i = n; i < std::max(na, nb); ++i)
        if (static_cast<std::make_unsigned_t<C>>(resto[i]) >= 0x80) return std::nullopt;
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

}  // namespace

int comparaOrdemGeralCompleta(QStringView a, QStringView b) {
    const int primaria = chavePrimaria(a).compare(chavePrimaria(b));
    if (primaria != 0) return primaria;
    return a.compare(b, Qt::CaseInsensitive);
}

int comparaOrdemGeral(std::string_view a, std::string_view b) {
    if (const auto r = comparaAscii(a.data(), qsizetype(a.size()), b.data(), qsizetype(b.size())))
        return *r;
    return comparaOrdemGeralCompleta(QString::fromUtf8(a.data(), qsizetype(a.size())),
                                     QString::fromUtf8(b.data(), qsizetype(b.size())));
}

int comparaOrdemGeral(QStringView a, QStringView b) {
    if (const auto r = comparaAscii(a.utf16(), a.size(), b.utf16(), b.size())) return *r;
    return comparaOrdemGeralCompleta(a, b);
}

int comparaOrdemGeralSqlite(void*, int n1, const void* s1, int n2, const void* s2) {
    return comparaOrdemGeral(std::string_view(static_cast<const char*>(s1), size_t(n1)),
                             std::string_view(static_cast<const char*>(s2), size_t(n2)));
}
