// Stands in for the command interpreter named by ComSpec for every process the launcher starts:
// it runs nothing and ends at once with success.

int main() { return 0; }
