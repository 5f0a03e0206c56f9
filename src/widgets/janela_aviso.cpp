#include "widgets/janela_aviso.h"

#include "widgets/cria.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

JanelaAviso::JanelaAviso(const QString& t, Icone icone, std::function<void()> fechado)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      fechado_(std::move(fechado)) {
    setObjectName(QStringLiteral("aviso"));
    setWindowTitle(kTituloPrograma);
    // Shown without becoming the active window: the keys go on reaching the window in use.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);

    auto* simbolo = new QLabel(this);
    const QStyle::StandardPixmap p = icone == Icone::Critico      ? QStyle::SP_MessageBoxCritical
                                     : icone == Icone::Informacao ? QStyle::SP_MessageBoxInformation
                                                                  : QStyle::SP_MessageBoxWarning;
    if (icone != Icone::Nenhum) simbolo->setPixmap(style()->standardIcon(p).pixmap(32, 32));
    texto = cria<QLabel>(this, "texto", t);
    texto->setWordWrap(true);
    texto->setMinimumWidth(360);
    ok = cria<QPushButton>(this, "ok", QStringLiteral("OK"));
    // Only a click closes it: no key typed for the lane can.
    ok->setFocusPolicy(Qt::NoFocus);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    auto* linha = new QHBoxLayout;
    linha->addWidget(simbolo, 0, Qt::AlignTop);
    linha->addWidget(texto, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(linha);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

void JanelaAviso::trocaTexto(const QString& t) {
    texto->setText(t);
    ajustaAoTexto();
}

void JanelaAviso::ajustaAoTexto() {
    // The text wraps: its height depends on the width it gets, which a plain adjustSize() does
    // not ask for, so a longer text would be cut. The notice takes the height its lines need at
    // the width it has.
    if (QLayout* l = layout()) l->activate();
    const int largura = qMax(width(), sizeHint().width());
    resize(largura, qMax(sizeHint().height(), heightForWidth(largura)));
}

namespace {

// The window the keys go to now: the active one or, where keys follow the mouse (a display
// without a window manager), the one under the pointer.
QWidget* janelaDoTeclado(const QWidget* aviso) {
    QWidget* w = QApplication::activeWindow();
    if (!w)
        if (QWidget* sob = QApplication::widgetAt(QCursor::pos())) w = sob->window();
    return w == aviso ? nullptr : w;
}

// Gives `janela` the keyboard outright, even when Qt already takes it for the active window and
// the display does not: a notice that comes under the pointer, or goes from under it, then takes
// no key typed for the lane.
void prendeTeclado(QWidget* janela) {
    if (janela && janela->windowHandle()) janela->windowHandle()->requestActivate();
}

}  // namespace

void JanelaAviso::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    emUso_ = janelaDoTeclado(this);
    prendeTeclado(emUso_);
}

void JanelaAviso::closeEvent(QCloseEvent* evento) {
    if (const auto f = std::exchange(fechado_, {})) f();
    QWidget::closeEvent(evento);
    prendeTeclado(emUso_ ? emUso_.data() : janelaDoTeclado(this));
}

AvisosNaTela::~AvisosNaTela() {
    for (const QPointer<JanelaAviso>& j : std::as_const(avisos_))
        if (j) delete j.data();
}

JanelaAviso* AvisosNaTela::mostra(const QString& chave, const QString& texto, Icone icone,
                                 std::function<void()> fechado) {
    QPointer<JanelaAviso>& j = avisos_[chave];
    if (j) {
        j->trocaTexto(texto);
        return j;
    }
    j = new JanelaAviso(texto, icone, std::move(fechado));
    j->ajustaAoTexto();
    // In the top right corner of the screen, below the notices already there.
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        const QRect area = tela->availableGeometry();
        int y = area.top() + 16;
        for (const QPointer<JanelaAviso>& outro : std::as_const(avisos_))
            if (outro && outro != j) y = qMax(y, outro->frameGeometry().bottom() + 8);
        j->move(area.right() - j->frameGeometry().width() - 16, y);
    }
    j->show();
    return j;
}
