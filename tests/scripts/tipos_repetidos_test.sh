#!/usr/bin/env bash
# The check of type names against two small trees: one where every name is defined once at
# namespace scope, however often it stands elsewhere, which passes; and the same tree with one
# name defined again in another file, which fails and names both places.
#   bash tests/scripts/tipos_repetidos_test.sh
set -uo pipefail
verificacao="$(cd "$(dirname "$0")/../.." && pwd -P)/scripts/tipos_repetidos.pl"
arvore="$(mktemp -d)"
trap 'rm -rf "$arvore"' EXIT
falhas=0
falha() { echo "FALHOU: $1" >&2; falhas=$((falhas + 1)); }

mkdir -p "$arvore/a" "$arvore/b"
cat > "$arvore/a/resultado.h" <<'EOF'
#pragma once
#define TIPO struct Resultado {
struct Resultado : Base<int, 2> {
    struct Linha { int n; };         // a class's own
    enum class Foco { Nenhum };
};
enum class Lado : unsigned char { Entrada, Saida };
namespace caixa { struct Resultado { bool ok; }; }   // another name: caixa::Resultado
EOF
cat > "$arvore/b/uso.cpp" <<'EOF'
// struct Lado { };
struct Resultado;                                    /* struct Resultado { */
template <class T> struct Caixa { T t; };
template <> struct Caixa<Resultado> { };
const char* k = "struct Lado {";
const char* r = R"(union Lado { int x; };)";
namespace {
struct Linha { int n; };
enum Foco { Nenhum };
}
struct Resultado* busca();
void f() { struct Lado { int x; } l{}; (void)l; }
EOF
saida="$(perl "$verificacao" "$arvore/a" "$arvore/b" 2>&1)" || falha "nomes únicos acusados: $saida"

cat > "$arvore/b/outro.h" <<'EOF'
#pragma once
class Resultado final { };
EOF
if saida="$(perl "$verificacao" "$arvore/a" "$arvore/b" 2>&1)"; then
    falha "nome repetido aceito"
fi
grep -q "^Resultado definido em 2 lugares" <<<"$saida" || falha "o nome repetido não foi dito: $saida"
grep -q "a/resultado.h:3" <<<"$saida" && grep -q "b/outro.h:2" <<<"$saida" ||
    falha "os dois lugares não foram ditos: $saida"

[ "$falhas" -eq 0 ]
