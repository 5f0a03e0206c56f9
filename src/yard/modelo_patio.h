#pragma once
// The yard list: the vehicles of `veiculos_patio` by tag (none first) and plate, with the
// counters of subscribers' and casual vehicles. The whole list is read again only when asked
// (`recarrega`); an entry or an exit of the lanes adds or takes out its one row in place, at the
// position the full reading would give it.

#include "data/banco.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>

#include <memory>
#include <unordered_map>
#include <vector>

struct LinhaPatio {
    qint64 id = 0;                  // the row's rowid
    bool temPrisma = false;
    int prisma = 0;
    bool temPlaca = false;
    QString placa;
    QString celulas[4];             // "Pr.", "Placa", "Data Ent." ("dd/mm/yy"), "Hora Ent."
    bool avulso = true;             // `mensalista` is NULL
};

class ModeloPatio : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloPatio(QObject* parent = nullptr);

    // Reads the whole list from the table.
    void recarrega(Banco& db);
    // The yard row `id` has just been written: adds it in its place and gives that place, or
    // -1 after a full reading, done when the table changed otherwise meanwhile (another
    // program on the same file).
    int entrou(Banco& db, qint64 id);
    // The yard row `id` has just been deleted: takes it out; a full reading when the list did
    // not hold it or another program changed the table meanwhile.
    void saiu(Banco& db, qint64 id);

    int total() const { return int(linhas_.size()); }
    int avulsos() const { return avulsos_; }
    QString texto(int linha, int coluna) const;
    void defineTitulos(const QStringList& titulos);

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao,
                        int papel = Qt::DisplayRole) const override;

private:
    // True when the list still matches the table, but for the change of this connection that
    // is being applied (`ajuste` rows more or fewer).
    bool emDia(Banco& db, int ajuste);

    // The rows in list order, as plain pointers: a car that enters or leaves in the middle of a
    // long yard moves a block of pointers, not rows. `porId_` holds the rows and finds one by
    // its rowid; the list order then finds its place without walking the list.
    std::vector<LinhaPatio*> linhas_;
    std::unordered_map<qint64, std::unique_ptr<LinhaPatio>> porId_;
    int avulsos_ = 0;
    qint64 versao_ = -1;            // the file's data_version at the last reading
    QStringList titulos_;
};

// The view of the yard list, `grid1` of the main window, with the few table calls the other
// windows make on it.
class GradePatio : public QTableView {
    Q_OBJECT
public:
    explicit GradePatio(QWidget* parent = nullptr);
    ModeloPatio* modelo() const { return modelo_; }
    int rowCount() const { return modelo_->rowCount(); }
    int columnCount() const { return modelo_->columnCount(); }
    void setHorizontalHeaderLabels(const QStringList& titulos) { modelo_->defineTitulos(titulos); }
    QString texto(int linha, int coluna) const { return modelo_->texto(linha, coluna); }

private:
    ModeloPatio* modelo_;
};
