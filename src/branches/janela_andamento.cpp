#include "branches/janela_andamento.h"

#include "widgets/cria.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

constexpr int kEsperaAntesDeMostrar = 400;   // milliseconds

}  // namespace

JanelaAndamento::JanelaAndamento(QWidget* pai, const QString& texto)
    : QDialog(pai), andamento_([this](int m) { return aviso(m); }) {
    setObjectName(QStringLiteral("andamento"));
    setWindowTitle(texto);
    setWindowModality(Qt::ApplicationModal);
    auto* rotulo = new QLabel(texto, this);
    barra_ = cria<QProgressBar>(this, "barra");
    barra_->setRange(0, 1000);
    barra_->setTextVisible(false);
    barra_->setMinimumWidth(320);
    QPushButton* cancelar = criaBotao(this, "cancelar", QStringLiteral("Cancelar"));
    connect(cancelar, &QPushButton::clicked, this, [this] { andamento_.cancela(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rotulo);
    layout->addWidget(barra_);
    layout->addWidget(cancelar, 0, Qt::AlignRight);
    desde_.start();
}

bool JanelaAndamento::aviso(int milesimos) {
    if (!isVisible() && desde_.elapsed() >= kEsperaAntesDeMostrar) show();
    barra_->setValue(milesimos);
    QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
    return !andamento_.cancelado();
}
