#pragma once

#include <QByteArray>
#include <QString>

// The bytes of one paper-roll printout: one byte a character in Windows-1252, each line ended by
// CR LF, and the feed lines that push the paper out, each a lone CR before the line end.
class Bobina {
public:
    // The layout's width for the `bobina` setting: 36, 40, and 48 for any other value.
    static int largura(int bobina) { return bobina == 36 ? 36 : bobina == 40 ? 40 : 48; }

    void linha(const QString& texto);
    // `n` feed lines; none when n is 0 or less.
    void avanco(int n);
    const QByteArray& bytes() const { return bytes_; }

    // Windows-1252 text; a character it cannot hold goes out as "?".
    static QByteArray cp1252(const QString& texto);

private:
    QByteArray bytes_;
};
