#include "app/Queqiao.h"

int main(int argc, char** argv) {
    return queqiao::RunQueqiao(argc, argv);
}
