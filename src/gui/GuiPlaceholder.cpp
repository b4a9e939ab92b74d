// Qt layer placeholder until the first widget lands.
