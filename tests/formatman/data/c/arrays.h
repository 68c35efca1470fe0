#define ROWS 2
#define COLS 6
struct ARR {
    char names[3][10];
    char grid[ROWS][COLS];
    char odd[2][NOPE];
    double d;
};
