#pragma once
// The two kinds of typed field of the settings screens, with the keyboard behaviour every such
// field shares, written once:
// - a masked field (digits and literals, blank prompt) that may select its whole mask when it
//   gets the focus, so that typing replaces the whole value;
// - a money field that selects its whole text on focus, takes only digits and the decimal comma
//   ("." becomes ","), takes pasted amounts as the amounts they are, and on leaving shows its
//   amount as "#,##0.00", falls back to a fixed text when left empty, and keeps as typed what
//   is no amount, for the button that stores it to refuse aloud.

#include <QLineEdit>

// A masked field. `mascara` uses "#" for a digit place, as the screens list it ("##:##"), "a"
// for a letter or digit place, and ">" for upper case from there on (">aaa-aaaa", a plate); the
// text (`displayText()`) always holds the literals, blanks where nothing was typed.
class CampoMascara : public QLineEdit {
    Q_OBJECT
public:
    CampoMascara(const QString& mascara, bool selecionaAoFocar, QWidget* pai = nullptr);
    // The text with the mask's literals and blanks ("  :  " when empty).
    QString texto() const { return displayText(); }
    // Clears the field back to its empty mask.
    void limpa();
    int comprimentoMascara() const { return comprimento_; }

protected:
    void focusInEvent(QFocusEvent* evento) override;

private:
    int comprimento_;
    bool seleciona_;
};

// A money field. `reserva` is the text left on leaving when the field is left empty.
class CampoDinheiro : public QLineEdit {
    Q_OBJECT
public:
    explicit CampoDinheiro(const QString& reserva = QString(), QWidget* pai = nullptr);

protected:
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    QString reserva_;
};

// What a money field shows on leaving: the amount as "#,##0.00"; `reserva` when it is empty;
// otherwise the text as it stands.
QString textoDinheiroAoSair(const QString& texto, const QString& reserva);
