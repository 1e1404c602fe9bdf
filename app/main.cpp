// Quantum Orvantis: animated quantum-optics experiments for the classroom.
#include "app/program.h"

int main() { return runProgram(); }
