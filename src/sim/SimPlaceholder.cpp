// The simulated meter library.
