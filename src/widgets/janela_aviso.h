#pragma once
// The notices that arrive by themselves while the operator works on (a printer that failed
// after the lane went on): small windows over the others that never take the keyboard, so that
// what the cashier types still reaches the lane. Each stays until the operator closes it with
// the mouse ("OK" or the window's close button).

#include "app/plataforma.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

class JanelaAviso : public QWidget {
public:
    JanelaAviso(const QString& texto, Icone icone, std::function<void()> fechado);
    void trocaTexto(const QString& texto);
    // Grows or shrinks to show the whole text.
    void ajustaAoTexto();

    QLabel* texto;
    QPushButton* ok;

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    std::function<void()> fechado_;
    QPointer<QWidget> emUso_;   // the window that had the keyboard when the notice came
};

// The notices shown, by key: a notice given again under a key still shown only changes its text.
class AvisosNaTela {
public:
    AvisosNaTela() = default;
    AvisosNaTela(const AvisosNaTela&) = delete;
    AvisosNaTela& operator=(const AvisosNaTela&) = delete;
    // Closes what is still shown, as when the program ends.
    ~AvisosNaTela();
    // The notice of `chave`, shown or with its text changed.
    JanelaAviso* mostra(const QString& chave, const QString& texto, Icone icone,
                        std::function<void()> fechado);
    JanelaAviso* aberto(const QString& chave) const { return avisos_.value(chave); }

private:
    QHash<QString, QPointer<JanelaAviso>> avisos_;
};
