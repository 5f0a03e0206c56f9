#include "widgets/trabalho_banco.h"

#include "data/banco.h"
#include "widgets/cursor_ocupado.h"

bool gravaNoBanco(Plataforma& plataforma, const QString& acao, const std::function<void()>& trabalho) {
    CursorOcupado ampulheta;
    try {
        trabalho();
    } catch (const ErroBanco& e) {
        plataforma.mensagem(e.mensagemPara(acao), Icone::Critico);
        return false;
    }
    return true;
}

bool leDoBanco(Plataforma& plataforma, const QString& oQue, const std::function<void()>& trabalho) {
    CursorOcupado ampulheta;
    try {
        trabalho();
    } catch (const ErroBanco& e) {
        plataforma.mensagem(e.mensagemLeitura(oQue), Icone::Critico);
        return false;
    }
    return true;
}
