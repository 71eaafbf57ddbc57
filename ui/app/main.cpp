#include "ui/app/StartForm.h"

int main(int argc, char** argv) { return talver::RunTalver(argc, argv); }
