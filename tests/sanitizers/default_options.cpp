// Run-time settings of the sanitizers, compiled into every program of a sanitizer build (see
// ZUBK_SANITIZE). Settings in ASAN_OPTIONS / UBSAN_OPTIONS still override them.
//
// The exit codes are ones the tool never uses, so that a finding in a child process cannot
// pass for one of its own results (1, 2, 3, 5), and leaks are always looked for.

extern "C" const char* __asan_default_options() {
    return "detect_leaks=1:exitcode=86:strict_string_checks=1:check_initialization_order=1:"
           "detect_stack_use_after_return=1";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1:exitcode=87";
}
