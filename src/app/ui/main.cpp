// The beastwright executable: the window program.
#include "app/ui/application.h"

int main(int argc, char** argv) { return bw::Application().Run(argc, argv); }
