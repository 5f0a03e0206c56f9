#pragma once
// The reports window `rel` ("Relatórios"): the seven reports, the branch, the two date ranges of
// the revenue reports and the sort boxes of the subscriber reports. "Imprimir" builds the request
// of the chosen report on the report component `cr`, which produces it in a print preview.

#include "app/contexto.h"
#include "reports/controle_relatorio.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

// Empty texts of the masked fields.
inline const QString kDataVazia = QStringLiteral("  /  /    ");
inline const QString kFilialVazia = QStringLiteral("  ");

class JanelaRelatorios : public QWidget {
    Q_OBJECT
public:
    explicit JanelaRelatorios(Contexto& ctx, QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QRadioButton* Option5;
    QRadioButton* Option6;
    QRadioButton* Option7;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QLineEdit* dat_ini;
    QLineEdit* dat_fim;
    QLineEdit* dat_ini_det;
    QLineEdit* dat_fim_det;
    QLineEdit* fil;
    QPushButton* Command1;
    QPushButton* Command2;
    // While a report is built: the rows read so far, and the way to stop it.
    QProgressBar* progresso;
    QLabel* lidas;
    QPushButton* cancelar;
    ControleRelatorio cr;

    // Handlers, public so that tests drive them as the operator would.
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Option7_Click();
    void Check1_Click();
    void Check2_Click();
    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void montaControles();
    void ligaEventos();
    // Options 1 to 3, 4 and 7, 5 and 6.
    void habilitaSemFiltro();
    void habilitaMensalistas();
    void imprime();
    void mostraConstrucao(bool construindo);
    bool dataValida(QLineEdit* campo, const QString& mensagem, QDate& data);
    QString caminho(const QString& arquivo) const;

    Contexto& ctx_;
};
