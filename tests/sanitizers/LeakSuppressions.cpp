// The sanitizer build compiles these hooks into the game and into every test
// program, so no environment set-up is needed for them.
//
// The suppressions cover memory that system libraries keep until the process
// ends; our own code is never suppressed, and its leaks show with its frames.
// Programs that open the OpenGL window do without the leak check altogether
// (see tests/gl and tests/e2e): the software renderer's driver is unloaded at
// exit, and what it keeps is then reported from addresses no pattern can name.

extern "C" const char* __lsan_default_options();
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

extern "C" const char* __lsan_default_suppressions() {
  return
      // SDL 2 (under the SDL 1.2 API) connects to D-Bus for screen-saver and
      // input-method services and keeps that connection for the process's life.
      "leak:libdbus-1.so\n"
      // SDL_mixer 1.2 keeps its FLAC decoder's state when a sound file that
      // starts like FLAC turns out broken (found by fuzzing the sound list).
      "leak:Mix_LoadFLAC_RW\n";
}
