/* Sales record layout */
#ifndef SALES_H
#define SALES_H

typedef struct tagREC { long id; char name[20]; double v; } REC;

struct tagA { short s; };
struct tagA;
struct tagA a;

typedef struct {
    unsigned char code [ 8 ] ;
    signed short qty;
    float price;
    WORD w;
    char c;
    long a[4];
} ANON;
#endif
