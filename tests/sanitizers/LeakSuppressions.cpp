// The sanitizer build compiles these hooks into the game and into every test
// program, so no environment set-up is needed anywhere.
//
// The suppressions cover memory that system libraries keep until the process
// ends; our own code is never suppressed, and its leaks show with its frames.

extern "C" const char* __asan_default_options();
extern "C" const char* __lsan_default_options();
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __asan_default_options() {
  // System libraries are built without frame pointers: the slow unwinder
  // follows allocations through them, so the suppressions below can match.
  return "fast_unwind_on_malloc=0";
}

extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

extern "C" const char* __lsan_default_suppressions() {
  return
      // SDL 2 (under the SDL 1.2 API) connects to D-Bus for screen-saver and
      // input-method services and keeps that connection for the process's life;
      // it also loads audio and video drivers that keep their own tables.
      "leak:libdbus-1.so\n"
      "leak:libSDL2\n"
      "leak:libSDL-1.2\n"
      // Libraries loaded at run time and unloaded again at shutdown: only
      // addresses in unloaded modules are left of their frames.
      "leak:<unknown module>\n";
}
