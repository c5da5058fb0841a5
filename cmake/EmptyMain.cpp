// The program of a link check: it is linked, never run.
int main()
{
    return 0;
}
