#pragma once
// A partner agreement as the "Convênios" tab holds it while it is edited: the texts of its
// fields, the option buttons chosen and the rows of its time-value table.

#include <QList>
#include <QPair>
#include <QString>

#include <array>

// Empty texts of the tab's masked fields.
inline const QString kHoraVazia = QStringLiteral("  :  ");
inline const QString kHoraSegVazia = QStringLiteral("  :  :  ");

struct EdicaoConvenio {
    QString con;                       // the partner's name as typed
    QString cod_con;                   // code of the agreement loaded from the list; "" when none
    QChar tipo = u'I';                 // "Isento" I, "Valor Fixo" F, "Valor Variável" V; null: none chosen
    QString val_fix;
    bool apos_fixo = true;             // `Option4` (one fixed amount) rather than `Option5`
    QString apo_fix, apo_var;
    QString apo_tem = kHoraVazia;
    bool janela = false;               // `Check1`: a charging window with its own price
    QString hor_ini = kHoraVazia, hor_fim = kHoraVazia, cob;
    QString hora_inicio = kHoraSegVazia, hora_fim = kHoraSegVazia;
    std::array<bool, 7> dias{};        // dom, seg, ter, qua, qui, sex, sab
    // The table's rows from the first up to the first blank one: time "HH:MM", value.
    QList<QPair<QString, QString>> passos;
};

// The weekday fields of `convenios` in the order of `EdicaoConvenio::dias`.
inline constexpr std::array<const char*, 7> kCamposDias{"dom", "seg", "ter", "qua",
                                                       "qui", "sex", "sab"};
