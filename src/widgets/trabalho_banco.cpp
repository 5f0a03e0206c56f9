#include "widgets/trabalho_banco.h"

#include "data/banco.h"
#include "data/dinheiro.h"
#include "widgets/cursor_ocupado.h"

namespace {

// Runs the work under the hourglass; a database failure is told with the message `texto` makes.
bool noBanco(Plataforma& plataforma, const std::function<void()>& trabalho,
             const std::function<QString(const ErroBanco&)>& texto) {
    CursorOcupado ampulheta;
    try {
        trabalho();
    } catch (const ErroBanco& e) {
        plataforma.mensagem(texto(e), Icone::Critico);
        return false;
    } catch (const EstouroDinheiro&) {
        plataforma.mensagem(kMsgEstouroDinheiro, Icone::Critico);
        return false;
    }
    return true;
}

}  // namespace

bool gravaNoBanco(Plataforma& plataforma, const QString& acao, const std::function<void()>& trabalho) {
    return noBanco(plataforma, trabalho, [&](const ErroBanco& e) { return e.mensagemPara(acao); });
}

bool leDoBanco(Plataforma& plataforma, const QString& oQue, const std::function<void()>& trabalho) {
    return noBanco(plataforma, trabalho, [&](const ErroBanco& e) { return e.mensagemLeitura(oQue); });
}
