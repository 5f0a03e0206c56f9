#!/usr/bin/env perl
# Lists the class, struct, union and enum names that are defined at namespace scope in more than
# one place of the given folders (src/ by default), and fails when there is any. Two types of one
# name in one program break the one-definition rule: the linker keeps one type's inline members,
# and objects of the other are copied and destroyed with them. Types inside an anonymous
# namespace, inside a class or inside a function are each file's or class's own and are not
# listed; a forward declaration or a template's specialisation defines no new name.
#   perl scripts/tipos_repetidos.pl [folder...]
use strict;
use warnings;
use File::Find;

my @pastas = @ARGV ? @ARGV : ('src');
my @arquivos;
find({ wanted => sub { push @arquivos, $File::Find::name if /\.(h|hpp|cpp|cc)\z/ && -f }, no_chdir => 1 },
     @pastas);

my %onde;   # qualified name -> [file:line, ...]

# The text with comments, string and character literals and preprocessor lines blanked out, the
# line breaks kept, so that the line of a definition can still be told.
sub limpa {
    my ($t) = @_;
    my $branco = sub { (my $s = shift) =~ s/[^\n]/ /g; $s };
    $t =~ s{
        ( //[^\n]* )
      | ( /\*.*?\*/ )
      | ( (?<![\w]) (?:u8|u|U|L)? R"([^(\s]*)\(.*?\)\4" )
      | ( (?<![\w]) (?:u8|u|U|L)? "(?:\\.|[^"\\\n])*" )
      | ( (?<![\w]) (?:u8|u|U|L)? '(?:\\.|[^'\\\n])*' )
      | ( ^[ \t]*\#(?:[^\n]*\\\n)*[^\n]* )
    }{ $branco->($&) }gsexm;
    return $t;
}

for my $arquivo (sort @arquivos) {
    open my $f, '<', $arquivo or die "$arquivo: $!\n";
    my $texto = limpa(do { local $/; <$f> });
    close $f;

    my @fichas;   # [token, line]
    my $linha = 1;
    while ($texto =~ /(\n)|([A-Za-z_]\w*)|(::|[{};:<>(),=*&\[\]])|\S/g) {
        if (defined $1) { ++$linha; next; }
        push @fichas, [defined $2 ? $2 : defined $3 ? $3 : $&, $linha];
    }

    # Each open brace is a namespace (its name, '' when anonymous), the body of a type, or
    # anything else (a function, an initializer, a lambda).
    my @escopos;
    my $pendente;   # what the next '{' opens
    for (my $i = 0; $i < @fichas; ++$i) {
        my ($f, $l) = @{ $fichas[$i] };
        if ($f eq '{') {
            push @escopos, $pendente // { tipo => 'outro' };
            undef $pendente;
        } elsif ($f eq '}') {
            pop @escopos;
            undef $pendente;
        } elsif ($f eq ';') {
            undef $pendente;
        } elsif ($f eq 'namespace') {
            my @nome;
            my $j = $i + 1;
            while ($j < @fichas && $fichas[$j][0] ne '{' && $fichas[$j][0] ne ';' && $fichas[$j][0] ne '=') {
                push @nome, $fichas[$j][0] if $fichas[$j][0] =~ /^\w+$/ && $fichas[$j][0] ne 'inline';
                ++$j;
            }
            $pendente = { tipo => 'ns', nome => join('::', @nome) } if $j < @fichas && $fichas[$j][0] eq '{';
            $i = $j - 1;
        } elsif ($f eq 'extern' && $i + 1 < @fichas && $fichas[$i + 1][0] eq '{') {
            $pendente = { tipo => 'ns', nome => undef };   # extern "C" { ... }: no scope of its own
        } elsif ($f =~ /^(class|struct|union|enum)$/) {
            my $j = $i + 1;
            ++$j if $f eq 'enum' && $j < @fichas && $fichas[$j][0] =~ /^(class|struct)$/;
            # Attributes and alignment between the keyword and the name.
            while ($j < @fichas && $fichas[$j][0] =~ /^(alignas|__attribute__|\[)$/) {
                my $abre = $fichas[$j][0] eq '[' ? '[' : '(';
                my $fecha = $abre eq '[' ? ']' : ')';
                ++$j until $j >= @fichas || $fichas[$j][0] eq $abre;
                my $n = 0;
                for (; $j < @fichas; ++$j) {
                    ++$n if $fichas[$j][0] eq $abre;
                    --$n if $fichas[$j][0] eq $fecha;
                    last if $n == 0;
                }
                ++$j;
            }
            my $nome = $j < @fichas && $fichas[$j][0] =~ /^[A-Za-z_]\w*$/ ? $fichas[$j][0] : undef;
            my $k = defined $nome ? $j + 1 : $j;
            ++$k if $k < @fichas && $fichas[$k][0] eq 'final';
            my $seguinte = $k < @fichas ? $fichas[$k][0] : '';
            my $define = $seguinte eq '{' || $seguinte eq ':';
            $pendente = { tipo => 'tipo' } if $define;
            my $escopoDeNomes = !grep { $_->{tipo} ne 'ns' || (defined $_->{nome} && $_->{nome} eq '') } @escopos;
            if ($define && defined $nome && $escopoDeNomes) {
                my $qualificado = join '::', (grep { defined && length } map { $_->{nome} } @escopos), $nome;
                push @{ $onde{$qualificado} }, "$arquivo:$l";
            }
            # A base clause may hold template arguments: skip to the brace or the semicolon.
            if ($seguinte eq ':') {
                ++$k while $k < @fichas && $fichas[$k][0] ne '{' && $fichas[$k][0] ne ';';
            }
            $i = $k - 1;
        }
    }
}

my $repetidos = 0;
for my $nome (sort keys %onde) {
    my @lugares = @{ $onde{$nome} };
    next if @lugares < 2;
    ++$repetidos;
    print "$nome definido em ", scalar(@lugares), " lugares:\n";
    print "  $_\n" for @lugares;
}
print "Tipos definidos: ", scalar(keys %onde), "; nomes repetidos: $repetidos\n";
exit($repetidos ? 1 : 0);
