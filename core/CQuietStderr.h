#pragma once

// While it exists, standard error goes nowhere. The decoders of the system
// libraries (libpng under SDL_image, for one) report a broken file on
// standard error; the game leaves such a file out without a word, so its
// loaders decode inside one of these. Scopes nest.
class CQuietStderr {
 public:
  CQuietStderr();
  ~CQuietStderr();
  CQuietStderr(const CQuietStderr&) = delete;
  CQuietStderr& operator=(const CQuietStderr&) = delete;

 private:
  int m_savedStderr;  // a duplicate of the real standard error, restored at the end; -1 if none was made
};
