# The README's library example is the consumer program that the package tests build, word for word.
file(READ ${README} readme)
file(READ ${EXAMPLE} example)
string(FIND "${readme}" "<!-- examples/consumer/main.cpp -->\n```cpp\n${example}```\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "The library example in ${README} differs from ${EXAMPLE}")
endif()
