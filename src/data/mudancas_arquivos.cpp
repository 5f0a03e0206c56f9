#include "data/mudancas_arquivos.h"

#include <utility>

namespace {

OuvinteArquivos& ouvinte() {
    static OuvinteArquivos o;
    return o;
}

}  // namespace

OuvinteArquivos ouveMudancasArquivos(OuvinteArquivos novo) {
    return std::exchange(ouvinte(), std::move(novo));
}

void avisaMudanca(const QString& arquivo) {
    if (ouvinte()) ouvinte()(arquivo);
}
