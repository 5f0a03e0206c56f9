#include "widgets/campo_dinheiro.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

class ValidadorDinheiro : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texto, int&) const override {
        for (QChar c : texto)
            if (!((c >= u'0' && c <= u'9') || c == u',' || c == u'.')) return Invalid;
        return Acceptable;
    }
};

}  // namespace

void aplicaRegraDinheiro(QLineEdit* campo) { campo->setValidator(new ValidadorDinheiro(campo)); }

bool filtraTeclaDinheiro(QLineEdit* campo, QKeyEvent* tecla) {
    const QString texto = tecla->text();
    switch (tecla->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return false;
    default:
        break;
    }
    if (texto.isEmpty()) return false;
    if (texto == QLatin1String(".")) {
        campo->insert(QStringLiteral(","));
        return true;
    }
    const QChar c = texto.at(0);
    return !(texto.size() == 1 && ((c >= u'0' && c <= u'9') || c == u','));
}

std::optional<Dinheiro> formataCampoDinheiro(QLineEdit* campo) {
    const std::optional<Dinheiro> valor = Dinheiro::ler(campo->text());
    campo->setText(valor ? valor->formata() : QString());
    return valor;
}
