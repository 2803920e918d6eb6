// Bench only: a console program that starts and ends; the yardstick for quorvel-report's pass.
int main() { return 0; }
