# Read by ctest before it runs anything: every test runs headless (SDL's offscreen video gives a real GL context
# without a display, the dummy audio driver needs no sound card) in a UTF-8 locale. Set here rather than as each
# test's ENVIRONMENT property because the tests found by gtest_discover_tests get their properties as one flat
# list, which keeps only the first variable. A test that needs other drivers sets them as its own property.
set(ENV{SDL_VIDEODRIVER} offscreen)
set(ENV{SDL_AUDIODRIVER} dummy)
set(ENV{LC_ALL} C.UTF-8)
