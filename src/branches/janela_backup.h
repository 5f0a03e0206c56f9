#pragma once
// The backup window `bac` ("Backup"): a drive and folder of the operator's choice receive the
// backup file, which "Restaurar backup" puts back in place of the database; its fourth button
// writes the branch's exchange file, or merges one at the office.

#include "app/contexto.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

inline const QString kRecebeBackupFilial = QStringLiteral("Recebe backup de filial");
inline const QString kRealizaBackupEscritorio = QStringLiteral("Realiza backup para escritório");

class JanelaBackup : public QWidget {
    Q_OBJECT
public:
    explicit JanelaBackup(Contexto& ctx, QWidget* parent = nullptr);

    void Drive1_Change();
    void Dir1_Click(const QString& pasta);   // opens that folder
    void Command1_Click();   // "Realizar backup"
    void Command2_Click();   // "Restaurar backup"
    void Command3_Click();   // "Fechar"
    void Command4_Click();   // exchange with the office

    // The folder the folder list shows: the chosen folder.
    QString pasta() const { return pasta_; }
    // Runs after the database was replaced, for the windows that show its data.
    std::function<void()> aoTrocarBanco;

    QLabel* Label2;
    QComboBox* Drive1;
    QLabel* Label1;
    QListWidget* Dir1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;

private:
    void montaControles();
    void Form_Load();
    void mostraPasta(const QString& pasta);
    void avisa(const QString& texto);
    void atualizaRestaurar();

    Contexto& ctx_;
    QString pasta_;
    QString raiz_;   // the mount point of the drive chosen
};
