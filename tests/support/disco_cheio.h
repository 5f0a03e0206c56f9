#pragma once
// A disk that fills up, for tests: while one lives, the files of the process may grow to
// `limite` bytes only, as on a full disk; a write that crosses it is cut short, and one past it
// fails instead of the signal ending the process.

#include <csignal>
#include <sys/resource.h>

class DiscoCheio {
public:
    explicit DiscoCheio(rlim_t limite) {
        ::getrlimit(RLIMIT_FSIZE, &antes_);
        sinal_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit r = antes_;
        r.rlim_cur = limite;
        ::setrlimit(RLIMIT_FSIZE, &r);
    }
    ~DiscoCheio() {
        ::setrlimit(RLIMIT_FSIZE, &antes_);
        ::signal(SIGXFSZ, sinal_);
    }
    DiscoCheio(const DiscoCheio&) = delete;
    DiscoCheio& operator=(const DiscoCheio&) = delete;

private:
    rlimit antes_{};
    sighandler_t sinal_;
};
