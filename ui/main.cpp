#include "ui/StartForm.h"

int main(int argc, char** argv) { return talver::RunTalver(argc, argv); }
