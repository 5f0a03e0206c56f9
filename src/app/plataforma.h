#pragma once
// The seam between the program and the outside world. The program builds the real one in main;
// tests build a fake that answers prompts in advance, sets the clock and records what was shown.

#include "devices/discos.h"
#include "devices/impressora_fiscal.h"
#include "devices/saida_impressora.h"
#include "devices/saida_porta.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

class DocumentoRelatorio;

enum class Icone { Informacao, Exclamacao, Critico, Nenhum };

inline const QString kTituloPrograma = QStringLiteral("Quelmar");

class Plataforma {
public:
    virtual ~Plataforma() = default;

    // The folder of the program, where `dados.mdb` lives.
    virtual QString pastaPrograma() const = 0;
    // The computer clock.
    virtual QDateTime agora() const = 0;

    // A modal message box with OK.
    virtual void mensagem(const QString& texto, Icone icone = Icone::Informacao,
                          const QString& titulo = kTituloPrograma) = 0;
    // A notice that arrives by itself, while the operator works on (a printer that failed
    // after the lane went on): shown over the windows without taking the keyboard, so that the
    // keys typed for a car still reach the lane, it stays until the operator closes it, and then
    // `fechado` runs. Given again under the same `chave` while it is still shown, only its text
    // changes.
    virtual void avisa(const QString& chave, const QString& texto, Icone icone,
                       std::function<void()> fechado) = 0;
    // A modal Yes/No question; true for Yes. Enter answers Yes, Esc No.
    virtual bool pergunta(const QString& texto, const QString& titulo = kTituloPrograma) = 0;
    // A modal Yes/No question on what changes while it is open (printouts that end meanwhile):
    // it shows what `texto` reads at each moment and, once that reads empty, nothing is left to
    // ask, closes answered No. Enter answers No, as Esc does: it guards a Yes that loses
    // something. True for Yes.
    virtual bool perguntaAtualizada(std::function<QString()> texto,
                                    const QString& titulo = kTituloPrograma) = 0;

    // Ends the program. Callers return right after it: in tests it only records the request.
    virtual void encerra() = 0;

    // Runs `depois` once `ms` milliseconds have passed, without blocking the window thread.
    virtual void aguarda(int ms, std::function<void()> depois) = 0;

    // The gates' parallel-port output.
    virtual SaidaPorta& porta() = 0;
    // The ticket printer's ports.
    virtual SaidaImpressora& impressora() = 0;
    // The fiscal printer.
    virtual ImpressoraFiscal& fiscal() = 0;

    // Shows a report's pages in a print preview, from which the operator prints them or saves
    // them as PDF; returns at once, the preview beside the other windows until it is closed. The
    // document may still be growing: the preview follows it until it is concluded or
    // interrupted, and abandons it when closed first.
    virtual void visualiza(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo) = 0;
    // The drives offered for backups and the subscriber file, with their free space.
    virtual Discos& discos() = 0;
};
