const int EARLY = 5;
#define LEN 8
#define 12 34
#define WIDE = 12
#define HEXLEN 0x10
#define OCTLEN 020
#define SUFLEN 0x20UL
#define NAME "text"
const int LATE = 7;
const long LATE2=9;

struct CONSTS {
    char code[LEN];
    char wide[WIDE];
    char hex[HEXLEN];
    char oct[OCTLEN];
    char suf[SUFLEN];
    char lit[0x0c];
    char late[LATE];
    char early[EARLY];
    char missing[MAXLEN];
    char empty[];
};
