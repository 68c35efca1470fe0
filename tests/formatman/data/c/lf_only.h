// A Unix header: every line ends in a lone LF.
#define N 4
struct UNIX {
    long a; // first
    char b[N]; // second
};
