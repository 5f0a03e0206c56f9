#pragma once
// What every field with a paste rule of its own shares: its context menu's "Colar" going
// through the rule, and the refusal told beside the field.

#include <QString>

#include <functional>

class QLineEdit;
class QPoint;

// Shows the field's standard context menu at `onde` (global), its paste entry running `cola`
// instead of pasting straight into the field.
void mostraMenuColando(QLineEdit* campo, const QPoint& onde, const std::function<void()>& cola);

// A beep, and `mensagem` beside the field, which keeps what it had.
void avisaColagemRecusada(QLineEdit* campo, const QString& mensagem);
